#pragma once
// A straight line, one pixel thick, drawn between two points given in twips.
#include <cstdint>

#include "platform/toolkit/control.h"

// System colours a line can take; other values are &HBBGGRR colours.
inline constexpr std::uint32_t vbButtonShadow = 0x80000010;
inline constexpr std::uint32_t vb3DHighlight = 0x80000014;

class Line : public Control {
  public:
    explicit Line(Container& parent);

    // Horizontal and vertical lines only, which is all a form's etching and tick marks need.
    void Coordinates(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2);
    void BorderColor(std::uint32_t colour);
};
