#pragma once
// A QLabel that reports a left-button click (press and release inside it), for the labels and
// picture boxes whose Click event the program handles.
#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace toolkit {

class ClickLabel : public QLabel {
  public:
    std::function<void()> clicked;

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        QLabel::mousePressEvent(event);
        event->accept();  // so that the release comes here too
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            clicked)
            clicked();
    }
};

}  // namespace toolkit
