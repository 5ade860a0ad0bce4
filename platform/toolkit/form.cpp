#include "platform/toolkit/form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/toolkit/application.h"
#include "platform/toolkit/command_button.h"
#include "platform/toolkit/dialog_owner.h"
#include "platform/toolkit/key_codes.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"

namespace {

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

}  // namespace

std::vector<Form*> Forms() {
    return LoadedForms();
}

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
        if (QPushButton* button = ButtonFor(*event)) {
            button->click();
            return;
        }
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

    void hideEvent(QHideEvent* event) override {
        QMainWindow::hideEvent(event);
        // Minimising hides the window too, but only hiding or unloading ends a modal showing.
        if (!event->spontaneous() && form_.modalLoop_ != nullptr) form_.modalLoop_->quit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == form_.client_ && event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            form_.RaiseMouseMove(at.x(), at.y());
        }
        return QMainWindow::eventFilter(watched, event);
    }

  private:
    // Enter presses the default button, Escape the cancel button, as in a dialog.
    QPushButton* ButtonFor(const QKeyEvent& event) const {
        const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
        const bool escape = event.key() == Qt::Key_Escape;
        if ((!enter && !escape) || event.modifiers() != Qt::NoModifier) return nullptr;
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (!button->isVisible() || !button->isEnabled()) continue;
            if (enter ? button->isDefault() : button->property(toolkit::CancelProperty).toBool())
                return button;
        }
        return nullptr;
    }

    Form& form_;
};

Form::Form() : window_(std::make_unique<FormWindow>(*this)), client_(new QWidget) {
    window_->setCentralWidget(client_);
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    client_->setMouseTracking(true);
    client_->installEventFilter(window_.get());
    hWnd_ = RegisterWindowHandle(
        [this](std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
            if (message == WM_MOUSEMOVE) {
                RaiseMouseMove(lParam & 0xFFFF, (lParam >> 16) & 0xFFFF);
            } else if (WindowMessage) {
                WindowMessage(message, wParam, lParam);
            }
        });
    toolkit::RegisterWindowWidget(hWnd_, window_.get());
}

Form::~Form() {
    std::erase(LoadedForms(), this);
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

void Form::Show(std::int16_t Modal) {
    if (Modal != vbModal) {
        Show();
        return;
    }
    window_->setWindowModality(Qt::ApplicationModal);
    toolkit::OwnDialog(*window_, toolkit::DialogOwner(window_.get()));
    Show();
    if (window_->isVisible()) {
        toolkit::BringForward(*window_);
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec();
        modalLoop_ = nullptr;
    }
    window_->setWindowModality(Qt::NonModal);
}

void Form::Hide() {
    // Without a tray icon (none added yet, or a desktop with no notification area) nothing
    // would lead the user back to a hidden minimised window.
    if (WindowState() == vbMinimized && !toolkit::HasTrayIcon(hWnd_)) return;
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
    LoadedForms().push_back(this);
    if (Load) Load();
}

void Form::UnloadForm() {
    if (!RunUnload()) return;
    window_->close();
}

bool Form::RunUnload() {
    if (unloading_) return false;  // the Unload handler that runs closes the window itself
    if (!loaded_ || unloaded_) return true;
    std::int16_t cancel = 0;
    unloading_ = true;
    if (Unload) Unload(cancel);
    unloading_ = false;
    if (cancel != 0) return false;
    unloaded_ = true;
    std::erase(LoadedForms(), this);
    if (LoadedForms().empty()) End();
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

void Form::RaiseMouseMove(int x, int y) {
    const float twipsPerPixel = Screen::TwipsPerPixelX();
    const float X = static_cast<float>(x) * twipsPerPixel;
    const float Y = static_cast<float>(y) * twipsPerPixel;
    // Copies: a handler may replace the form's own or remove listeners.
    const auto handler = MouseMove;
    if (handler) handler(0, 0, X, Y);
    const auto listeners = mouseMoveListeners_;
    for (const auto& [id, listener] : listeners) listener(0, 0, X, Y);
}

int Form::ListenToMouseMove(MouseMoveHandler listener) {
    mouseMoveListeners_.emplace(++lastListener_, std::move(listener));
    return lastListener_;
}

void Form::StopListeningToMouseMove(int listener) {
    mouseMoveListeners_.erase(listener);
}

void Form::CentreOnScreen() {
    window_->adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = window_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window_->move(frame.topLeft());
}
