#pragma once
// An image control: shows a picture, or only holds one when it is hidden.
#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"

class QLabel;

class Image : public Control {
  public:
    explicit Image(Container& parent);

    ::Picture Picture() const { return picture_; }
    void Picture(const ::Picture& picture);

  private:
    QLabel* label_;
    ::Picture picture_;
};
