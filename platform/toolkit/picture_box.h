#pragma once
// A picture box: shows a picture at its top-left corner and reports clicks on it.
#include <functional>

#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"

namespace toolkit {
class ClickLabel;
}

class PictureBox : public Control {
  public:
    explicit PictureBox(Container& parent);

    ::Picture Picture() const { return picture_; }
    void Picture(const ::Picture& picture);

    std::function<void()> Click;

  private:
    toolkit::ClickLabel* label_;
    ::Picture picture_;
};
