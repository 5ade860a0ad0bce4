#pragma once
// A label: text that takes no focus, wrapped at words to the label's width, and a Click event.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/toolkit/control.h"

namespace toolkit {
class ClickLabel;
}

class Label : public Control {
  public:
    explicit Label(Container& parent);

    std::string Caption() const;
    void Caption(const std::string& text);
    // Where a font is missing, a close sans-serif of about the same size stands in.
    void FontName(const std::string& name);
    void FontSize(double points);
    void FontBold(Boolean bold);
    void FontUnderline(Boolean underline);
    void ForeColor(std::uint32_t colour);  // &HBBGGRR
    // With AutoSize the label keeps its top-left corner and takes the size of its text on one
    // line, following later changes of caption and font.
    void AutoSize(Boolean value);

    std::function<void()> Click;

  private:
    void FitText();

    toolkit::ClickLabel* label_;
    bool autoSize_ = false;
};
