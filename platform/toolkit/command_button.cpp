#include "platform/toolkit/command_button.h"

#include <QIcon>
#include <QPixmap>
#include <QPushButton>

CommandButton::CommandButton(Container& parent)
    : Control(parent, new QPushButton), button_(static_cast<QPushButton*>(Widget())) {
    button_->setIconSize(QSize(16, 16));
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this] {
        if (Click) Click();
    });
}

std::string CommandButton::Caption() const {
    return button_->text().toStdString();
}
void CommandButton::Caption(const std::string& text) {
    button_->setText(QString::fromStdString(text));
}

void CommandButton::Picture(const ::Picture& picture) {
    picture_ = picture;
    button_->setIcon(picture.IsEmpty() ? QIcon() : *picture.Icon());
}

Boolean CommandButton::Default() const {
    return ToBoolean(button_->isDefault());
}
void CommandButton::Default(Boolean value) {
    button_->setDefault(IsTrue(value));
}

Boolean CommandButton::Cancel() const {
    return ToBoolean(button_->property(toolkit::CancelProperty).toBool());
}
void CommandButton::Cancel(Boolean value) {
    button_->setProperty(toolkit::CancelProperty, IsTrue(value));
}
