#pragma once
// A run-time error as the toolkit raises it: number, description and source name.
// Guarded handlers catch it and go on with their next step.
#include <cstdint>
#include <stdexcept>
#include <string>

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(std::int32_t number, std::string description, std::string source = "Corvala")
        : std::runtime_error(description),
          Number(number),
          Description(std::move(description)),
          Source(std::move(source)) {}

    std::int32_t Number;
    std::string Description;
    std::string Source;
};

// Error numbers the toolkit uses.
namespace vberr {
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t PermissionDenied = 70;
inline constexpr std::int32_t PathFileAccess = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t InvalidPropertyValue = 380;
inline constexpr std::int32_t DeviceUnavailable = 68;
}  // namespace vberr
