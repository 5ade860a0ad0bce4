#pragma once
// Why a path cannot take a saved recording, in words for the error's text.
#include <string>

namespace mci {

// The cause when the path names a folder, a device or other special file, or holds a name
// longer than a file system allows; empty when the path looks usable (its folder is missing).
std::string WhyNotSaveable(const std::string& path);

}  // namespace mci
