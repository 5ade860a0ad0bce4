#pragma once
// A form: a top-level window with a menu bar, a client area measured in twips, a window
// handle that receives posted messages, and the Load, Unload, Resize and KeyDown events.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/container.h"
#include "platform/toolkit/picture.h"
#include "platform/vb_types.h"

class QEventLoop;
class QMainWindow;
class FormWindow;
class Menu;

inline constexpr std::int16_t vbMinimized = 1;
inline constexpr std::int16_t vbMaximized = 2;

inline constexpr std::int16_t vbDefault = 0;
inline constexpr std::int16_t vbHourglass = 11;

class Form;

// The loaded forms, in the order they were loaded: the toolkit's Forms collection.
std::vector<Form*> Forms();

inline constexpr std::int16_t vbModal = 1;
inline constexpr std::int16_t vbTwips = 1;

class Form : public Container {
  public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string Caption() const;
    void Caption(const std::string& text);
    ::Picture Icon() const { return icon_; }
    void Icon(const ::Picture& picture);
    std::int32_t hWnd() const { return hWnd_; }
    // The client area's size in twips; the window keeps this size.
    void ClientSize(std::int32_t Width, std::int32_t Height);

    Boolean Visible() const;
    void Visible(Boolean value);
    std::int16_t WindowState() const;
    void WindowState(std::int16_t state);
    std::int16_t MousePointer() const { return mousePointer_; }
    void MousePointer(std::int16_t pointer);
    // Positions of the form's events are in twips.
    std::int16_t ScaleMode() const { return vbTwips; }

    // Loads the form if it is not loaded yet (raising Load), then shows it; the first
    // showing centres it on the screen.
    void Show();
    // With vbModal, the other windows take no input until this one is hidden or unloaded, and
    // the call returns only then.
    void Show(std::int16_t Modal);
    // Hides the window. A minimised window stays on the task bar, minimised, unless it owns a
    // tray icon: hidden, it could be reached again only through that icon.
    void Hide();
    // Brings the window in front of the others.
    void ZOrder();
    // Makes the window the active one, with the keyboard focus.
    void SetFocus();
    // Opens the menu at the pointer and returns when it has closed.
    void PopupMenu(Menu& menu);
    // Runs Load once; a form is loaded before it is first shown.
    void LoadForm();
    // Raises Unload; unless it is cancelled the window closes. Runs once; asked again while
    // Unload runs, it does nothing. The program ends when its last loaded form is unloaded.
    void UnloadForm();
    Boolean Loaded() const { return ToBoolean(loaded_ && !unloaded_); }

    std::function<void()> Load;
    std::function<void(std::int16_t& Cancel)> Unload;
    std::function<void()> Resize;
    std::function<void(std::int16_t KeyCode, std::int16_t Shift)> KeyDown;
    // The pointer over the client area, or a WM_MOUSEMOVE delivered to hWnd (its lParam holding
    // x and y in pixels); X and Y in twips.
    using MouseMoveHandler =
        std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)>;
    MouseMoveHandler MouseMove;
    // Listeners beside MouseMove, raised after it; the number returned removes the listener.
    int ListenToMouseMove(MouseMoveHandler listener);
    void StopListeningToMouseMove(int listener);
    // Other messages posted to hWnd, delivered on the user-interface thread.
    std::function<void(std::uint32_t message, std::int32_t wParam, std::int32_t lParam)>
        WindowMessage;

    QWidget* ClientWidget() override;
    void AddTabStop(QWidget* widget, int tabIndex) override;
    QMainWindow* Window() const;

  private:
    friend class FormWindow;
    bool RunUnload();
    void ApplyTabOrder();
    void CentreOnScreen();
    void RaiseMouseMove(int x, int y);

    std::unique_ptr<FormWindow> window_;
    QWidget* client_;
    std::int32_t hWnd_;
    ::Picture icon_;
    std::int16_t mousePointer_ = vbDefault;
    std::vector<std::pair<int, QWidget*>> tabStops_;
    std::map<int, MouseMoveHandler> mouseMoveListeners_;
    int lastListener_ = 0;
    bool loaded_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
    bool shownOnce_ = false;
    QEventLoop* modalLoop_ = nullptr;
};
