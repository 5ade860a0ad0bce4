#pragma once
// A vertical scroll bar with the toolkit's rules: signed 16-bit Min, Max and Value, Min at the
// top (Min may be greater than Max), a Value outside the range refused rather than clamped,
// Change raised for every change of Value and Scroll while the thumb is dragged.
#include <cstdint>
#include <functional>

#include "platform/toolkit/control.h"

class QScrollBar;

class VScrollBar : public Control {
  public:
    explicit VScrollBar(Container& parent);

    std::int16_t Min() const { return min_; }
    void Min(std::int16_t value);
    std::int16_t Max() const { return max_; }
    void Max(std::int16_t value);
    std::int16_t Value() const { return value_; }
    // Error 380 when the value lies outside Min..Max.
    void Value(std::int16_t value);
    std::int16_t SmallChange() const { return smallChange_; }
    void SmallChange(std::int16_t value);
    std::int16_t LargeChange() const { return largeChange_; }
    void LargeChange(std::int16_t value);

    std::function<void()> Change;
    std::function<void()> Scroll;

  private:
    // The Qt bar runs from 0 (at Min) to |Max - Min| (at Max).
    int ToBar(std::int16_t value) const;
    std::int16_t FromBar(int position) const;
    void ApplyRange();
    void SetValueAndNotify(std::int16_t value);

    QScrollBar* bar_;
    std::int16_t min_ = 0;
    std::int16_t max_ = 32767;
    std::int16_t value_ = 0;
    std::int16_t smallChange_ = 1;
    std::int16_t largeChange_ = 1;
};
