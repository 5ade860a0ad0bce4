#pragma once
// App: the program's version numbers, as the project declares them.
#include <cstdint>

namespace App {

std::int16_t Major();
std::int16_t Minor();
std::int16_t Revision();

}  // namespace App
