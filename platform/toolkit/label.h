#pragma once
// A label: one line of text that takes no focus.
#include <string>

#include "platform/toolkit/control.h"

class QLabel;

class Label : public Control {
  public:
    explicit Label(Container& parent);

    std::string Caption() const;
    void Caption(const std::string& text);
    // Where a font is missing, a close sans-serif of about the same size stands in.
    void FontName(const std::string& name);
    void FontSize(double points);
    void FontBold(Boolean bold);

  private:
    QLabel* label_;
};
