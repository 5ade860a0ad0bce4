#pragma once
// A bare form to put controls on, and helpers that press keys the way a user does.
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTest>
#include <QWidget>

#include "platform/toolkit/form.h"
#include "tests/toolkit/test_application.h"

// The application must exist before the form's window is made.
struct ApplicationFirst {
    ApplicationFirst() { EnsureApplication(); }
};

class TestForm : private ApplicationFirst, public Form {
  public:
    TestForm() { ClientSize(6000, 4500); }
};

// Shows the form and waits until the window system has made it active.
inline bool ShowActive(Form& form) {
    form.Show();
    form.Window()->activateWindow();
    return QTest::qWaitForWindowActive(form.Window());
}

// Down and up, through the window so that shortcuts are seen as a user's keys are.
inline void PressKey(QWidget* focus, Qt::Key key,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    focus->setFocus();
    QTest::keyClick(focus->window()->windowHandle(), key, modifiers);
}
