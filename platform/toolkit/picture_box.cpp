#include "platform/toolkit/picture_box.h"

#include <QPixmap>

#include "platform/toolkit/click_label.h"

PictureBox::PictureBox(Container& parent)
    : Control(parent, new toolkit::ClickLabel),
      label_(static_cast<toolkit::ClickLabel*>(Widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->clicked = [this] {
        if (Click) Click();
    };
}

void PictureBox::Picture(const ::Picture& picture) {
    picture_ = picture;
    label_->setPixmap(picture.IsEmpty() ? QPixmap() : *picture.Pixmap());
}
