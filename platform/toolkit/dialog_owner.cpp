#include "platform/toolkit/dialog_owner.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>
#include <QWindow>
#include <ranges>
#include <vector>

#include "platform/toolkit/form.h"

namespace toolkit {
namespace {

bool OnScreen(const QWidget* window, const QWidget* dialog) {
    return window != nullptr && window != dialog && window->isVisible() && !window->isMinimized();
}

}  // namespace

QWidget* DialogOwner(const QWidget* dialog) {
    // Between one box closing and the window manager activating its owner again, no window is
    // active: the forms still on the screen stand in.
    if (QWidget* active = QApplication::activeWindow(); OnScreen(active, dialog)) return active;
    const std::vector<Form*> forms = Forms();
    for (Form* form : forms | std::views::reverse) {
        if (OnScreen(form->Window(), dialog)) return form->Window();
    }
    return nullptr;
}

void OwnDialog(QWidget& dialog, QWidget* owner) {
    const bool ownerOnTop =
        owner != nullptr && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    dialog.winId();  // the native window, to name its owner
    dialog.windowHandle()->setTransientParent(owner != nullptr ? owner->windowHandle() : nullptr);
}

void BringForward(QWidget& dialog) {
    dialog.raise();
    dialog.activateWindow();
}

}  // namespace toolkit
