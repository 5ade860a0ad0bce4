// ShellExecuteA over QDesktopServices: the desktop picks the program for a document or address.
#include <QDesktopServices>
#include <QUrl>
#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/drives.h"
#include "platform/shell.h"
#include "platform/vb_types.h"

namespace {

// The shell's documented failure returns.
constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_PNF = 3;
constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;
constexpr std::intptr_t Opened = 42;

class Desktop : public DesktopLauncher {
  public:
    bool Open(const std::string& url) override {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    }
};

DesktopLauncher& DesktopsOwn() {
    static Desktop desktop;
    return desktop;
}

DesktopLauncher*& CurrentLauncher() {
    static DesktopLauncher* current = &DesktopsOwn();
    return current;
}

// "https://...", "mailto:...": a scheme of two or more letters; "C:\..." is a drive.
bool IsAddress(std::string_view target) {
    const auto colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    for (const char c : target.substr(0, colon)) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return std::isalpha(static_cast<unsigned char>(target.front())) != 0;
}

bool IsOpenVerb(const char* verb) {
    return verb == nullptr || *verb == '\0' || UCase(verb) == "OPEN";
}

std::intptr_t OpenFile(const std::string& windowsPath) {
    const auto file = drives::Resolve(windowsPath);
    if (!file) {
        // A name without a folder is looked for in the current one, which exists.
        const auto folderEnd = windowsPath.find_last_of('\\');
        const bool folderExists =
            folderEnd == std::string::npos || drives::Resolve(windowsPath.substr(0, folderEnd));
        return folderExists ? SE_ERR_FNF : SE_ERR_PNF;
    }
    std::error_code error;
    const auto permissions = std::filesystem::status(*file, error).permissions();
    if (error || (permissions & std::filesystem::perms::owner_read) == std::filesystem::perms::none)
        return SE_ERR_ACCESSDENIED;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file->string()));
    return CurrentLauncher()->Open(url.toString(QUrl::FullyEncoded).toStdString()) ? Opened
                                                                                   : SE_ERR_NOASSOC;
}

}  // namespace

DesktopLauncher* SetDesktopLauncher(DesktopLauncher* launcher) {
    DesktopLauncher* before = CurrentLauncher();
    CurrentLauncher() = launcher != nullptr ? launcher : &DesktopsOwn();
    return before;
}

std::intptr_t ShellExecuteA(std::int32_t, const char* lpOperation, const char* lpFile, const char*,
                            const char*, std::int32_t) {
    if (!IsOpenVerb(lpOperation)) return SE_ERR_NOASSOC;
    const std::string target = lpFile != nullptr ? Trim(lpFile) : std::string();
    if (target.empty()) return SE_ERR_FNF;
    if (IsAddress(target)) return CurrentLauncher()->Open(target) ? Opened : SE_ERR_NOASSOC;
    return OpenFile(target);
}
