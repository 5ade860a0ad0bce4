#pragma once
// A folder of files made to break a sound player: empty, cut short, lying about their sizes,
// random bytes, absurd formats, odd names. Each says what the player must make of it.
#include <string>
#include <vector>

namespace faults {

enum class Outcome {
    Plays,           // opens and plays what it holds
    Refused,         // the open fails with an MCI error box
    PlaysOrRefused,  // either, as long as nothing hangs or crashes
};

struct HostileFile {
    std::string name;
    std::string bytes;
    Outcome outcome;
};

std::vector<HostileFile> HostileFiles();

}  // namespace faults
