#include "shell/mod_open_document.h"

#include <exception>

#include "platform/shell.h"
#include "platform/user_interface.h"
#include "platform/vb_types.h"

namespace {

struct ShellError {
    std::int32_t result;
    const char* description;
};

// The shell's documented failure returns.
constexpr ShellError ShellErrors[] = {
    {0, "The operating system is out of memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied access to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred."},
    {27, "The filename association is incomplete or invalid."},
    {28, "The DDE transaction could not be completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30,
     "The DDE transaction could not be completed because other DDE transactions were being "
     "processed."},
    {31, "There is no application associated with the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

constexpr std::int32_t FirstSuccess = 33;

std::string DescriptionOf(std::int32_t result) {
    for (const ShellError& error : ShellErrors) {
        if (error.result == result) return error.description;
    }
    return "Unknown Error";
}

const char* TextOrNull(const std::string* text) {
    return text != nullptr ? text->c_str() : nullptr;
}

}  // namespace

void OpenDocument(const std::int32_t& hWndOwner, const std::string& Document,
                  const std::int32_t& ShowCommand, const std::string* Parameters,
                  const std::string* WorkingFolder) {
    std::int32_t result = 0;
    try {
        result = static_cast<std::int32_t>(ShellExecuteA(hWndOwner, "open", Document.c_str(),
                                                         TextOrNull(Parameters),
                                                         TextOrNull(WorkingFolder), ShowCommand));
    } catch (const std::exception&) {
        // Reported below as the shell's out-of-resources answer, 0.
    }
    ShowShellError(result, "open the file");
}

void ShowShellError(const std::int32_t& Result, const std::string& Action) {
    if (Result >= FirstSuccess) return;
    const std::string firstLine =
        Action.empty() ? "The following error was encountered while trying to access/open the file:"
                       : "The following error was encountered while trying to " + Action + ":";
    const std::string message = firstLine + "\r\rError Number = " + CStr(Result) +
                                "\rError Description = " + DescriptionOf(Result);
    try {
        MsgBox(message, vbExclamation, "  Error Occured");
    } catch (const std::exception&) {
        // Nothing more can be said.
    }
}
