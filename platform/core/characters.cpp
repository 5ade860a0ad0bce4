#include "platform/characters.h"

#include <QString>

std::size_t Len(const std::string& text) {
    return static_cast<std::size_t>(QString::fromStdString(text).toStdU32String().size());
}
