#include "platform/toolkit/line.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "platform/toolkit/twips.h"

namespace {

QColor ColourOf(std::uint32_t colour) {
    switch (colour) {
        case vbButtonShadow:
            return QPalette().color(QPalette::Dark);
        case vb3DHighlight:
            return QPalette().color(QPalette::Light);
        default:
            return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
}

}  // namespace

Line::Line(Container& parent) : Control(parent, new QWidget) {
    Widget()->setAutoFillBackground(true);
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::Coordinates(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) {
    using toolkit::TwipsToPixels;
    const int left = TwipsToPixels(std::min(X1, X2));
    const int top = TwipsToPixels(std::min(Y1, Y2));
    const int width = std::max(1, TwipsToPixels(std::max(X1, X2)) - left);
    const int height = std::max(1, TwipsToPixels(std::max(Y1, Y2)) - top);
    Widget()->setGeometry(left, top, width, height);
}

void Line::BorderColor(std::uint32_t colour) {
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Window, ColourOf(colour));
    Widget()->setPalette(palette);
}
