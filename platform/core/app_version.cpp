#include "platform/app.h"

namespace App {

std::int16_t Major() {
    return CORVALA_VERSION_MAJOR;
}
std::int16_t Minor() {
    return CORVALA_VERSION_MINOR;
}
std::int16_t Revision() {
    return CORVALA_VERSION_PATCH;
}

}  // namespace App
