#pragma once
// The document opener: hands a document, a web address or a mail link to the shell, and
// explains a failed shell result in a message box.
#include <cstdint>
#include <string>

// Opens Document with the verb "open". A null Parameters or WorkingFolder is passed as none.
// A failure is shown to the user, never handed back.
void OpenDocument(const std::int32_t& hWndOwner, const std::string& Document,
                  const std::int32_t& ShowCommand, const std::string* Parameters,
                  const std::string* WorkingFolder);

// Shows nothing for a result of 33 or more; otherwise a box titled "  Error Occured" naming
// Action ("open the file"; empty for a general wording), the number and its description.
void ShowShellError(const std::int32_t& Result, const std::string& Action);
