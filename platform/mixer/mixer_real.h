#pragma once
// The machine's mixer behind the mixer functions, unless a test puts a stand-in in its place.
#include "platform/multimedia.h"

namespace mixer::real {

std::uint32_t Open(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                   std::uintptr_t dwInstance, std::uint32_t fdwOpen);
std::uint32_t Close(HMIXER hmx);
std::uint32_t GetLineInfo(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo);
std::uint32_t GetLineControls(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc, std::uint32_t fdwControls);
std::uint32_t GetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                std::uint32_t fdwDetails);
std::uint32_t SetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                std::uint32_t fdwDetails);

}  // namespace mixer::real
