#pragma once
// A form: a top-level window with a menu bar, a client area measured in twips, a window
// handle that receives posted messages, and the Load, Unload, Resize and KeyDown events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/container.h"
#include "platform/toolkit/picture.h"
#include "platform/vb_types.h"

class QMainWindow;
class FormWindow;
class Menu;

inline constexpr std::int16_t vbMinimized = 1;
inline constexpr std::int16_t vbMaximized = 2;

inline constexpr std::int16_t vbDefault = 0;
inline constexpr std::int16_t vbHourglass = 11;

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

    // Loads the form if it is not loaded yet (raising Load), then shows it; the first
    // showing centres it on the screen.
    void Show();
    void Hide();
    // Brings the window in front of the others.
    void ZOrder();
    // Makes the window the active one, with the keyboard focus.
    void SetFocus();
    // Opens the menu at the pointer and returns when it has closed.
    void PopupMenu(Menu& menu);
    // Runs Load once; a form is loaded before it is first shown.
    void LoadForm();
    // Raises Unload; unless it is cancelled the window closes. Runs once.
    void UnloadForm();
    Boolean Loaded() const { return ToBoolean(loaded_ && !unloaded_); }
    // The forms loaded and not yet unloaded, the first loaded first.
    static std::vector<Form*> LoadedForms();

    std::function<void()> Load;
    std::function<void(std::int16_t& Cancel)> Unload;
    std::function<void()> Resize;
    std::function<void(std::int16_t KeyCode, std::int16_t Shift)> KeyDown;
    // Messages posted to hWnd, delivered on the user-interface thread.
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

    std::unique_ptr<FormWindow> window_;
    QWidget* client_;
    std::int32_t hWnd_;
    ::Picture icon_;
    std::int16_t mousePointer_ = vbDefault;
    std::vector<std::pair<int, QWidget*>> tabStops_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool shownOnce_ = false;
};
