#pragma once
// User-interface functions that need no form: the modal message box and posted window messages.
#include <cstdint>
#include <functional>
#include <string>

// Message box styles and answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbOK = 1;

// Shows a modal message box and returns the button pressed. Lines in the prompt may be
// separated by a lone carriage return, as the program writes them.
int MsgBox(const std::string& prompt, int style, const std::string& title);

// Who shows message boxes: the windowing toolkit installs a real one, tests install a recorder.
// Without either, the box is written to standard error and answered with OK.
class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    virtual int Show(const std::string& prompt, int style, const std::string& title) = 0;
};
// Returns the presenter in use before; nullptr returns to the standard-error one.
MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter);

// Window handles are small positive numbers the platform gives out. A window receives the
// messages posted to it on the user-interface thread, in the order they were posted.
using WindowMessageReceiver =
    std::function<void(std::uint32_t message, std::int32_t wParam, std::int32_t lParam)>;
std::int32_t RegisterWindowHandle(WindowMessageReceiver receiver);
void ReleaseWindowHandle(std::int32_t hWnd);

// Safe from any thread. Returns non-zero when the window exists.
std::int32_t PostMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                          std::int32_t lParam);

// Delivers the posted messages; runs by itself on the user-interface thread when an
// application event loop exists, and tests may call it directly.
void DispatchPostedMessages();

// Functions on a form's window by its handle; the toolkit library supplies them.
inline constexpr std::uint32_t WM_SETICON = 0x80;
inline constexpr std::int32_t ICON_SMALL = 0;
inline constexpr std::int32_t ICON_BIG = 1;

// Sets the window's title; non-zero when the handle names a window.
std::int32_t SetWindowText(std::int32_t hWnd, const char* text);

// Sends a message to a window and returns its answer. WM_SETICON with ICON_BIG or ICON_SMALL
// gives the window the picture whose handle is lParam (0 takes the icon away) and answers
// the handle it had before, or 0. The layer handles no other message; they answer 0.
std::int32_t SendMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                          std::int32_t lParam);
