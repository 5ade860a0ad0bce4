#include "platform/toolkit/folder_icons.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace toolkit {
namespace {

const QColor Outline(128, 96, 0);
const QColor Back(230, 190, 60);
const QColor Front(255, 220, 100);

QPixmap EmptyPicture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon DrawClosed() {
    QPixmap pixmap = EmptyPicture();
    QPainter painter(&pixmap);
    painter.setPen(Outline);
    painter.setBrush(Back);
    painter.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 13}, {1, 13}}));
    painter.setBrush(Front);
    painter.drawRect(1, 6, 13, 7);
    return QIcon(pixmap);
}

QIcon DrawOpen() {
    QPixmap pixmap = EmptyPicture();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Outline);
    painter.setBrush(Back);
    painter.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 4}, {13, 4}, {13, 7}, {1, 13}}));
    painter.setBrush(Front);
    painter.drawPolygon(QPolygon({{4, 7}, {15, 7}, {12, 13}, {1, 13}}));
    return QIcon(pixmap);
}

}  // namespace

const QIcon& ClosedFolderIcon() {
    static const QIcon icon = DrawClosed();
    return icon;
}

const QIcon& OpenFolderIcon() {
    static const QIcon icon = DrawOpen();
    return icon;
}

}  // namespace toolkit
