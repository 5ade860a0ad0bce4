#include "platform/toolkit/vscroll_bar.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>
#include <cstdlib>

#include "platform/runtime_error.h"

namespace {

// Qt's scroll bar draws nothing for the focus; the toolkit's, a tab stop, frames itself.
class FocusFramedScrollBar : public QScrollBar {
  public:
    FocusFramedScrollBar() : QScrollBar(Qt::Vertical) {}

  protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!hasFocus()) return;
        QStylePainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }
};

}  // namespace

VScrollBar::VScrollBar(Container& parent)
    : Control(parent, new FocusFramedScrollBar), bar_(static_cast<QScrollBar*>(Widget())) {
    // Without tracking, a drag reports sliderMoved (Scroll) and commits the value on release.
    bar_->setTracking(false);
    // The toolkit's scroll bar is a tab stop that the arrow and page keys move; Qt's takes no
    // focus.
    bar_->setFocusPolicy(Qt::StrongFocus);
    ApplyRange();
    QObject::connect(bar_, &QScrollBar::sliderMoved, [this](int position) {
        value_ = FromBar(position);
        if (Scroll) Scroll();
    });
    QObject::connect(bar_, &QScrollBar::valueChanged,
                     [this](int position) { SetValueAndNotify(FromBar(position)); });
}

void VScrollBar::Min(std::int16_t value) {
    min_ = value;
    ApplyRange();
}

void VScrollBar::Max(std::int16_t value) {
    max_ = value;
    ApplyRange();
}

void VScrollBar::Value(std::int16_t value) {
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        throw RuntimeError(vberr::InvalidPropertyValue, "Invalid property value");
    }
    {
        const QSignalBlocker blocker(bar_);
        bar_->setValue(ToBar(value));
    }
    if (value != value_) SetValueAndNotify(value);
}

void VScrollBar::SmallChange(std::int16_t value) {
    smallChange_ = value;
    bar_->setSingleStep(value);
}

void VScrollBar::LargeChange(std::int16_t value) {
    largeChange_ = value;
    bar_->setPageStep(value);
}

int VScrollBar::ToBar(std::int16_t value) const {
    return std::abs(value - min_);
}

std::int16_t VScrollBar::FromBar(int position) const {
    return static_cast<std::int16_t>(max_ >= min_ ? min_ + position : min_ - position);
}

void VScrollBar::ApplyRange() {
    // A new range pulls the value inside it, as the toolkit does.
    const std::int16_t clamped = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
    {
        const QSignalBlocker blocker(bar_);
        bar_->setRange(0, std::abs(max_ - min_));
        bar_->setValue(ToBar(clamped));
    }
    if (clamped != value_) SetValueAndNotify(clamped);
}

void VScrollBar::SetValueAndNotify(std::int16_t value) {
    value_ = value;
    if (Change) Change();
}
