#include "platform/toolkit/label.h"

#include <QPalette>

#include "platform/toolkit/click_label.h"

Label::Label(Container& parent)
    : Control(parent, new toolkit::ClickLabel),
      label_(static_cast<toolkit::ClickLabel*>(Widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->clicked = [this] {
        if (Click) Click();
    };
}

std::string Label::Caption() const {
    return label_->text().toStdString();
}
void Label::Caption(const std::string& text) {
    label_->setText(QString::fromStdString(text));
    FitText();
}

void Label::FontName(const std::string& name) {
    QFont font = label_->font();
    font.setFamily(QString::fromStdString(name));
    label_->setFont(font);
    FitText();
}

void Label::FontSize(double points) {
    QFont font = label_->font();
    font.setPointSizeF(points);
    label_->setFont(font);
    FitText();
}

void Label::FontBold(Boolean bold) {
    QFont font = label_->font();
    font.setBold(bold != vbFalse);
    label_->setFont(font);
    FitText();
}

void Label::FontUnderline(Boolean underline) {
    QFont font = label_->font();
    font.setUnderline(underline != vbFalse);
    label_->setFont(font);
    FitText();
}

void Label::ForeColor(std::uint32_t colour) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    label_->setPalette(palette);
}

void Label::AutoSize(Boolean value) {
    autoSize_ = value != vbFalse;
    label_->setWordWrap(!autoSize_);
    FitText();
}

void Label::FitText() {
    if (autoSize_) label_->resize(label_->sizeHint());
}
