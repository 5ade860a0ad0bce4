#include "platform/toolkit/control.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>

#include "platform/runtime_error.h"
#include "platform/toolkit/twips.h"

Control::Control(Container& parent, QWidget* widget) : parent_(parent), widget_(widget) {
    widget_->setParent(parent.ClientWidget());
    widget_->show();
}

Control::~Control() {
    // Nothing may reach the events of a half-destroyed control while its widget goes away.
    // Blocking rather than disconnecting keeps destroyed(), by which Qt's accessibility
    // cache lets go of the widget's interface.
    widget_->blockSignals(true);
    delete widget_;
}

void Control::Move(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) {
    using toolkit::TwipsToPixels;
    widget_->setGeometry(TwipsToPixels(Left), TwipsToPixels(Top), TwipsToPixels(Width),
                         TwipsToPixels(Height));
}

std::int32_t Control::Left() const {
    return toolkit::PixelsToTwips(widget_->x());
}
std::int32_t Control::Top() const {
    return toolkit::PixelsToTwips(widget_->y());
}
std::int32_t Control::Width() const {
    return toolkit::PixelsToTwips(widget_->width());
}
std::int32_t Control::Height() const {
    return toolkit::PixelsToTwips(widget_->height());
}

Boolean Control::Visible() const {
    return ToBoolean(visible_);
}

void Control::Visible(Boolean value) {
    visible_ = value != vbFalse;
    widget_->setVisible(visible_);
}

Boolean Control::Enabled() const {
    return ToBoolean(widget_->isEnabled());
}
void Control::Enabled(Boolean value) {
    widget_->setEnabled(value != vbFalse);
}

void Control::TabIndex(std::int16_t value) {
    tabIndex_ = value;
    parent_.AddTabStop(widget_, value);
}

void Control::SetFocus() {
    if (!widget_->isVisible() || !widget_->isEnabled() || widget_->focusPolicy() == Qt::NoFocus) {
        throw RuntimeError(5, "Invalid procedure call or argument");
    }
    widget_->setFocus(Qt::OtherFocusReason);
}

void Control::AccessibleName(const std::string& name) {
    widget_->setAccessibleName(QString::fromStdString(name));
}

void Control::MouseIcon(const MouseCursor& cursor) {
    if (cursor.picture.IsEmpty()) {
        widget_->unsetCursor();
    } else {
        widget_->setCursor(QCursor(*cursor.picture.Pixmap(), cursor.hotX, cursor.hotY));
    }
}
