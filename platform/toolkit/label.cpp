#include "platform/toolkit/label.h"

#include <QLabel>

Label::Label(Container& parent)
    : Control(parent, new QLabel), label_(static_cast<QLabel*>(Widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string Label::Caption() const {
    return label_->text().toStdString();
}
void Label::Caption(const std::string& text) {
    label_->setText(QString::fromStdString(text));
}

void Label::FontName(const std::string& name) {
    QFont font = label_->font();
    font.setFamily(QString::fromStdString(name));
    label_->setFont(font);
}

void Label::FontSize(double points) {
    QFont font = label_->font();
    font.setPointSizeF(points);
    label_->setFont(font);
}

void Label::FontBold(Boolean bold) {
    QFont font = label_->font();
    font.setBold(bold != vbFalse);
    label_->setFont(font);
}
