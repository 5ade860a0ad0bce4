#pragma once
// The error numbers the interpreter returns. They keep the values the Windows MCI documents
// for the same conditions, so a caller that knows those numbers reads ours the same way.
#include <cstdint>

namespace mci {

using ErrorCode = std::uint32_t;

namespace err {
inline constexpr ErrorCode kNone = 0;
inline constexpr ErrorCode kUnrecognizedKeyword = 259;
inline constexpr ErrorCode kUnrecognizedCommand = 261;
inline constexpr ErrorCode kHardware = 262;
inline constexpr ErrorCode kInvalidDeviceName = 263;
inline constexpr ErrorCode kDeviceOpen = 265;
inline constexpr ErrorCode kCannotLoadDriver = 266;
inline constexpr ErrorCode kMissingCommandString = 267;
inline constexpr ErrorCode kBadInteger = 270;
inline constexpr ErrorCode kMissingParameter = 273;
inline constexpr ErrorCode kUnsupportedFunction = 274;
inline constexpr ErrorCode kFileNotFound = 275;
inline constexpr ErrorCode kCannotUseAll = 279;
inline constexpr ErrorCode kOutOfRange = 282;
inline constexpr ErrorCode kFlagsNotCompatible = 284;
inline constexpr ErrorCode kFileNotSaved = 286;
inline constexpr ErrorCode kDeviceTypeRequired = 287;
inline constexpr ErrorCode kDuplicateAlias = 289;
inline constexpr ErrorCode kBadConstant = 290;
inline constexpr ErrorCode kMissingDeviceName = 292;
inline constexpr ErrorCode kDuplicateFlags = 295;
inline constexpr ErrorCode kInvalidFile = 296;
inline constexpr ErrorCode kNewRequiresAlias = 299;
inline constexpr ErrorCode kNonapplicableFunction = 302;
inline constexpr ErrorCode kSeqNoMidiPresent = 343;
inline constexpr ErrorCode kNoWindow = 346;
inline constexpr ErrorCode kFileRead = 348;
inline constexpr ErrorCode kFileWrite = 349;
}  // namespace err

}  // namespace mci
