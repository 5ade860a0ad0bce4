#include "platform/toolkit/menu.h"

#include <QAction>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "platform/toolkit/form.h"

Menu::Menu(Form& form, const std::string& caption)
    : menu_(new QMenu(QString::fromStdString(caption), form.Window())),
      action_(menu_->menuAction()),
      ownsMenu_(true) {
    form.Window()->menuBar()->addMenu(menu_);
    Connect();
}

Menu::Menu(Menu& parent, const std::string& caption, const std::string& shortcut)
    : action_(new QAction(parent.DropDown())) {
    // A separator keeps no text: styles draw a separator's text as a section heading.
    action_->setSeparator(caption == "-");
    if (!action_->isSeparator()) action_->setText(QString::fromStdString(caption));
    if (!shortcut.empty()) action_->setShortcut(QKeySequence(QString::fromStdString(shortcut)));
    parent.DropDown()->addAction(action_);
    Connect();
}

Menu::~Menu() {
    action_->disconnect();
    delete menu_;  // a menu on the bar takes its action with it
    if (!ownsMenu_) delete action_;
}

std::string Menu::Caption() const {
    return action_->isSeparator() ? "-" : action_->text().toStdString();
}
void Menu::Caption(const std::string& text) {
    action_->setText(QString::fromStdString(text));
}

void Menu::Checked(Boolean value) {
    checked_ = value != vbFalse;
    // Only a checked item is checkable, so an unchecked one shows no empty box.
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
}

Boolean Menu::Visible() const {
    return ToBoolean(action_->isVisible());
}
void Menu::Visible(Boolean value) {
    action_->setVisible(value != vbFalse);
}
Boolean Menu::Enabled() const {
    return ToBoolean(action_->isEnabled());
}
void Menu::Enabled(Boolean value) {
    action_->setEnabled(value != vbFalse);
}

void Menu::ShowPopup() {
    DropDown()->exec(QCursor::pos());
}

QMenu* Menu::DropDown() {
    if (menu_ == nullptr) {
        menu_ = new QMenu;
        action_->setMenu(menu_);
    }
    return menu_;
}

void Menu::Connect() {
    QObject::connect(action_, &QAction::triggered, [this] {
        // The handler decides about the check mark, not the click.
        action_->setChecked(checked_);
        if (Click) Click();
    });
}
