// The private helpers every command member shares: the error box, the error number,
// the short form of a path and the file-exists test.
#include <algorithm>
#include <array>
#include <cstdio>

#include "media/cmci_adv.h"
#include "platform/kernel.h"
#include "platform/runtime.h"
#include "platform/user_interface.h"

namespace {

constexpr char CR = '\r';

std::string upToNul(const char* buffer, std::size_t length) {
    return std::string(buffer, std::find(buffer, buffer + length, '\0'));
}

}  // namespace

Boolean cMCI_Adv::ReportMciError(std::uint32_t ReturnCode, std::string FunctionName,
                                 std::int32_t& ErrorNumber, std::string& ErrorText,
                                 Boolean ShowError) {
    ErrorNumber = 0;
    ErrorText.clear();
    if (ReturnCode == 0) return vbFalse;
    ErrorNumber = LoWord(static_cast<std::int32_t>(ReturnCode));
    if (FunctionName.empty()) FunctionName = "last";

    std::array<char, MAX_PATH> text{};
    if (mciGetErrorStringA(static_cast<std::uint32_t>(ErrorNumber), text.data(), MAX_PATH) != 0)
        ErrorText = upToNul(text.data(), text.size());
    else
        ErrorText = "Unknown Error";

    if (IsTrue(ShowError)) {
        const std::string message = "The following error occured while calling the " + FunctionName +
                                    " MCI API:" + CR + CR + "Error Number = " + CStr(ErrorNumber) +
                                    CR + "Error Description = " + ErrorText;
        MsgBox(message, vbExclamation, "  MCI ERROR");
    }
    return vbTrue;
}

std::int16_t cMCI_Adv::LoWord(std::int32_t Value) {
    // The low four hexadecimal digits, read back as a signed 16-bit number.
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<std::uint32_t>(Value));
    const std::string padded = "0000" + std::string(hex);
    const auto digits = static_cast<std::uint16_t>(std::stoul(padded.substr(padded.size() - 4), nullptr, 16));
    return static_cast<std::int16_t>(digits);
}

std::string cMCI_Adv::GetShortPath(const std::string& Path) {
    std::string path = Trim(Path);
    if (path.empty()) return {};
    if (path.back() != '\0') path.push_back('\0');
    std::array<char, MAX_PATH> shortPath{};
    if (GetShortPathNameA(path.c_str(), shortPath.data(), MAX_PATH) == 0) return {};
    return UCase(upToNul(shortPath.data(), shortPath.size()));
}

Boolean cMCI_Adv::FileExists(const std::string& Path) {
    return ToBoolean(!Dir(Path, vbReadOnly | vbHidden | vbSystem | vbArchive).empty());
}
