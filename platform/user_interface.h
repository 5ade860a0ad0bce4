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

// Window placement: HWND_TOPMOST puts a window into the band kept above all normal windows,
// HWND_NOTOPMOST takes it out again; position (X, Y) and size (cx, cy) are in pixels and apply
// unless SWP_NOMOVE and SWP_NOSIZE say otherwise. Non-zero on success; 0 for an unknown window
// or where the window system lets no program order or place its windows (Wayland).
inline constexpr std::int32_t HWND_TOPMOST = -1;
inline constexpr std::int32_t HWND_NOTOPMOST = -2;
inline constexpr std::uint32_t SWP_NOSIZE = 1;
inline constexpr std::uint32_t SWP_NOMOVE = 2;
std::int32_t SetWindowPos(std::int32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t X,
                          std::int32_t Y, std::int32_t cx, std::int32_t cy, std::uint32_t uFlags);

// Mouse messages, as a window and the notification area report them.
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x208;
inline constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x209;

// Window procedures. Every message delivered to a window goes through its procedure; a window
// starts with the toolkit's own, which raises the form's events. Procedure addresses do not
// fit 32 bits here, so the "long" that carries one is pointer-sized. All on the
// user-interface thread.
using WNDPROC = std::int32_t (*)(std::int32_t hWnd, std::uint32_t uMsg, std::int32_t wParam,
                                 std::int32_t lParam);
inline constexpr std::int32_t GWL_WNDPROC = -4;

// With GWL_WNDPROC, installs dwNewLong as the window's procedure and returns the one before;
// 0 for an unknown window, another index or a null procedure (nothing changes then).
std::intptr_t SetWindowLongA(std::int32_t hWnd, std::int32_t nIndex, std::intptr_t dwNewLong);
// Calls the procedure at lpPrevWndFunc; 0 when there is none.
std::int32_t CallWindowProcA(std::intptr_t lpPrevWndFunc, std::int32_t hWnd, std::uint32_t uMsg,
                             std::int32_t wParam, std::int32_t lParam);
// What a window does with a message nobody handled: nothing, answering 0.
std::int32_t DefWindowProcA(std::int32_t hWnd, std::uint32_t uMsg, std::int32_t wParam,
                            std::int32_t lParam);

// A message number of 0xC000..0xFFFF for a name: the same for the same name whatever its
// letter case, a new one for a new name, 0 for an empty name or when the range is used up.
std::uint32_t RegisterWindowMessageA(const char* lpString);

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
