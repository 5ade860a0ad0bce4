#include "platform/toolkit/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "platform/toolkit/key_codes.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"

// The window behind a form: turns Qt's window events into the form's events.
class FormWindow : public QMainWindow {
  public:
    explicit FormWindow(Form& form) : form_(form) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        if (form_.RunUnload()) {
            event->accept();
        } else {
            event->ignore();
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (form_.KeyDown) form_.KeyDown(toolkit::KeyCodeOf(*event), toolkit::ShiftStateOf(*event));
        QMainWindow::keyPressEvent(event);
    }

    void resizeEvent(QResizeEvent* event) override {
        QMainWindow::resizeEvent(event);
        if (form_.Resize) form_.Resize();
    }

    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && form_.Resize) form_.Resize();
    }

  private:
    Form& form_;
};

Form::Form() : window_(std::make_unique<FormWindow>(*this)), client_(new QWidget) {
    window_->setCentralWidget(client_);
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    hWnd_ = RegisterWindowHandle(
        [this](std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
            if (WindowMessage) WindowMessage(message, wParam, lParam);
        });
    toolkit::RegisterWindowWidget(hWnd_, window_.get());
}

Form::~Form() {
    toolkit::ForgetWindowWidget(hWnd_);
    ReleaseWindowHandle(hWnd_);
}

std::string Form::Caption() const {
    return window_->windowTitle().toStdString();
}
void Form::Caption(const std::string& text) {
    window_->setWindowTitle(QString::fromStdString(text));
}

void Form::Icon(const ::Picture& picture) {
    icon_ = picture;
    window_->setWindowIcon(picture.IsEmpty() ? QIcon() : *picture.Icon());
}

void Form::ClientSize(std::int32_t Width, std::int32_t Height) {
    client_->setFixedSize(toolkit::TwipsToPixels(Width), toolkit::TwipsToPixels(Height));
    // The layout does not grow with the window, so there is nothing to maximise.
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
}

Boolean Form::Visible() const {
    return ToBoolean(window_->isVisible());
}

void Form::Visible(Boolean value) {
    if (value != vbFalse) {
        Show();
    } else {
        Hide();
    }
}

std::int16_t Form::WindowState() const {
    const Qt::WindowStates state = window_->windowState();
    if (state & Qt::WindowMinimized) return vbMinimized;
    if (state & Qt::WindowMaximized) return vbMaximized;
    return 0;
}

void Form::WindowState(std::int16_t state) {
    switch (state) {
        case vbMinimized:
            window_->setWindowState(Qt::WindowMinimized);
            break;
        case vbMaximized:
            window_->setWindowState(Qt::WindowMaximized);
            break;
        default:
            window_->setWindowState(Qt::WindowNoState);
            break;
    }
}

void Form::MousePointer(std::int16_t pointer) {
    mousePointer_ = pointer;
    if (pointer == vbHourglass) {
        window_->setCursor(Qt::WaitCursor);
    } else {
        window_->unsetCursor();
    }
}

void Form::Show() {
    LoadForm();
    if (unloaded_) return;
    if (!shownOnce_) {
        shownOnce_ = true;
        CentreOnScreen();
    }
    window_->show();
}

void Form::Hide() {
    window_->hide();
}

void Form::ZOrder() {
    window_->raise();
}

void Form::SetFocus() {
    window_->activateWindow();
}

void Form::PopupMenu(Menu& menu) {
    menu.ShowPopup();
}

void Form::LoadForm() {
    if (loaded_) return;
    loaded_ = true;
    if (Load) Load();
}

void Form::UnloadForm() {
    if (!RunUnload()) return;
    window_->close();
}

bool Form::RunUnload() {
    if (!loaded_ || unloaded_) return true;
    std::int16_t cancel = 0;
    if (Unload) Unload(cancel);
    if (cancel != 0) return false;
    unloaded_ = true;
    return true;
}

QWidget* Form::ClientWidget() {
    return client_;
}

void Form::AddTabStop(QWidget* widget, int tabIndex) {
    std::erase_if(tabStops_, [widget](const auto& stop) { return stop.second == widget; });
    tabStops_.emplace_back(tabIndex, widget);
    ApplyTabOrder();
}

QMainWindow* Form::Window() const {
    return window_.get();
}

void Form::ApplyTabOrder() {
    std::ranges::stable_sort(tabStops_, {}, &std::pair<int, QWidget*>::first);
    // Only controls that take the focus are chained: Qt would place the children of a frame
    // after the frame itself, whatever their own tab indexes say.
    QWidget* previous = nullptr;
    for (const auto& [tabIndex, widget] : tabStops_) {
        if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form::CentreOnScreen() {
    window_->adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = window_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window_->move(frame.topLeft());
}
