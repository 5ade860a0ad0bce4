#include "platform/toolkit/drive_list_box.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStyle>
#include <cctype>

#include "platform/drives.h"
#include "platform/runtime_error.h"

namespace {

std::string DriveText(const drives::Drive& drive) {
    return std::string(1, static_cast<char>(std::tolower(drive.letter))) + ": " + drive.label;
}

}  // namespace

DriveListBox::DriveListBox(Container& parent)
    : Control(parent, new QComboBox), combo_(static_cast<QComboBox*>(Widget())) {
    Fill();
    combo_->setCurrentIndex(IndexOfLetter(drives::CurrentDrive()));
    QObject::connect(combo_, &QComboBox::currentIndexChanged, [this] {
        if (Change) Change();
    });
}

std::string DriveListBox::Drive() const {
    return combo_->currentText().toStdString();
}

void DriveListBox::Drive(const std::string& text) {
    const int index = text.empty() ? -1 : IndexOfLetter(text.front());
    if (index < 0) throw RuntimeError(vberr::DeviceUnavailable, "Device unavailable");
    combo_->setCurrentIndex(index);
}

void DriveListBox::Refresh() {
    const std::string before = Drive();
    {
        const QSignalBlocker blocker(combo_);
        drives::Refresh();
        Fill();
        const int index = before.empty() ? -1 : IndexOfLetter(before.front());
        combo_->setCurrentIndex(index >= 0 ? index : 0);
    }
    if (Drive() != before && Change) Change();
}

std::int16_t DriveListBox::ListCount() const {
    return static_cast<std::int16_t>(combo_->count());
}

std::string DriveListBox::List(std::int16_t index) const {
    return combo_->itemText(index).toStdString();
}

void DriveListBox::Fill() {
    combo_->clear();
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const drives::Drive& drive : drives::All()) {
        combo_->addItem(icon, QString::fromStdString(DriveText(drive)), QChar(drive.letter));
    }
}

int DriveListBox::IndexOfLetter(char letter) const {
    return combo_->findData(
        QChar(static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))));
}
