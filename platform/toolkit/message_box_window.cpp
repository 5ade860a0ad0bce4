#include "platform/toolkit/message_box_window.h"

#include <QMessageBox>
#include <QTimer>

#include "platform/toolkit/dialog_owner.h"

namespace toolkit {
namespace {

QMessageBox::Icon IconFor(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// The program separates lines with a lone carriage return.
QString LinesOf(const std::string& prompt) {
    QString text = QString::fromStdString(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

int MessageBoxWindow::Show(const std::string& prompt, int style, const std::string& title) {
    QWidget* owner = DialogOwner();
    QMessageBox box(IconFor(style), QString::fromStdString(title), LinesOf(prompt), QMessageBox::Ok,
                    owner);
    OwnDialog(box, owner);
    QTimer::singleShot(0, &box, [&box] { BringForward(box); });
    box.exec();
    return vbOK;
}

}  // namespace toolkit
