#pragma once
// Random damage for the fuzz tests: a few edits to a valid input, and how long a fuzz test
// runs, which CORVALA_FUZZ_SECONDS lengthens for a longer search than ctest's bounded one.
#include <chrono>
#include <random>
#include <string>

namespace test_support {

// One to four random edits: flipped bits, overwritten bytes, a cut, an insertion or 0xFF runs
// (huge lengths).
std::string MutateBytes(std::string bytes, std::mt19937& random);

// CORVALA_FUZZ_SECONDS when it holds a positive number, otherwise `bounded`.
std::chrono::seconds FuzzSeconds(std::chrono::seconds bounded);

}  // namespace test_support
