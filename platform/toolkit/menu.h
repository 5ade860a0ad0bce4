#pragma once
// A menu or menu item. A menu made on a form sits on its menu bar (unless hidden, then it can
// only be shown as a popup); an item made on a menu belongs to its drop-down. The caption "-"
// makes a separator, "&" marks the access key, and a shortcut such as "Ctrl+O" or "F5" works
// from any control of the window.
#include <functional>
#include <string>

#include "platform/vb_types.h"

class Form;
class QAction;
class QMenu;

class Menu {
  public:
    Menu(Form& form, const std::string& caption);
    Menu(Menu& parent, const std::string& caption, const std::string& shortcut = "");
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    std::string Caption() const;
    void Caption(const std::string& text);
    Boolean Checked() const { return ToBoolean(checked_); }
    void Checked(Boolean value);
    Boolean Visible() const;
    void Visible(Boolean value);
    Boolean Enabled() const;
    void Enabled(Boolean value);

    std::function<void()> Click;

    // Opens the drop-down at the pointer and returns when it has closed.
    void ShowPopup();
    QAction* Action() const { return action_; }

  private:
    QMenu* DropDown();
    void Connect();

    QMenu* menu_ = nullptr;
    QAction* action_ = nullptr;
    bool ownsMenu_ = false;
    bool checked_ = false;
};
