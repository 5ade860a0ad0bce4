#pragma once
// The part every control shares: its widget, its place in twips, visibility, focus and tab order.
#include <cstdint>
#include <string>

#include "platform/toolkit/container.h"
#include "platform/toolkit/mouse_cursor.h"
#include "platform/vb_types.h"

class QWidget;

class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Left, top, width and height in twips inside the container.
    void Move(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height);
    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;

    Boolean Visible() const;
    void Visible(Boolean value);
    Boolean Enabled() const;
    void Enabled(Boolean value);
    std::int16_t TabIndex() const { return tabIndex_; }
    void TabIndex(std::int16_t value);

    // What a screen reader says for the control; its caption, if any, stays as it is.
    void AccessibleName(const std::string& name);

    // The pointer shown while the mouse is over the control.
    void MouseIcon(const MouseCursor& cursor);

    // Fails with error 5 while the window is hidden or the control cannot take the focus.
    void SetFocus();

    QWidget* Widget() const { return widget_; }

  protected:
    Control(Container& parent, QWidget* widget);
    ~Control();

    Container& parent_;

  private:
    QWidget* widget_;
    bool visible_ = true;
    std::int16_t tabIndex_ = 0;
};
