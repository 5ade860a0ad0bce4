#pragma once
// A frame: an etched box that holds controls of its own, placed relative to it.
#include "platform/toolkit/control.h"

class Frame : public Control, public Container {
  public:
    explicit Frame(Container& parent);

    QWidget* ClientWidget() override { return Widget(); }
    void AddTabStop(QWidget* widget, int tabIndex) override {
        parent_.AddTabStop(widget, tabIndex);
    }
};
