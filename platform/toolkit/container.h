#pragma once
// What a control is placed in: a form's client area or a frame.
class QWidget;

class Container {
  public:
    // The widget the children are drawn on; coordinates are relative to it.
    virtual QWidget* ClientWidget() = 0;
    // Records a control's place in the form's tab order.
    virtual void AddTabStop(QWidget* widget, int tabIndex) = 0;

  protected:
    ~Container() = default;
};
