#pragma once
// A push button showing a caption or, as a picture button, a 16x16 picture.
#include <functional>
#include <string>

#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"

class QPushButton;

namespace toolkit {
// The button's property that marks it as its form's cancel button.
inline constexpr const char* CancelProperty = "corvalaCancel";
}  // namespace toolkit

class CommandButton : public Control {
  public:
    explicit CommandButton(Container& parent);

    std::string Caption() const;
    void Caption(const std::string& text);
    ::Picture Picture() const { return picture_; }
    void Picture(const ::Picture& picture);

    // Enter anywhere in the form presses the default button, Escape the cancel button.
    Boolean Default() const;
    void Default(Boolean value);
    Boolean Cancel() const;
    void Cancel(Boolean value);

    std::function<void()> Click;

  private:
    QPushButton* button_;
    ::Picture picture_;
};
