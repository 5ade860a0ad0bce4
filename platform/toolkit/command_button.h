#pragma once
// A push button showing a caption or, as a picture button, a 16x16 picture.
#include <functional>
#include <string>

#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"

class QPushButton;

class CommandButton : public Control {
  public:
    explicit CommandButton(Container& parent);

    std::string Caption() const;
    void Caption(const std::string& text);
    ::Picture Picture() const { return picture_; }
    void Picture(const ::Picture& picture);

    std::function<void()> Click;

  private:
    QPushButton* button_;
    ::Picture picture_;
};
