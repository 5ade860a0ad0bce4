#include "platform/toolkit/file_list_box.h"

#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "platform/drives.h"
#include "platform/runtime_error.h"
#include "platform/toolkit/folder_access.h"
#include "platform/toolkit/key_codes.h"

// The list widget behind the control: raises DblClick and KeyUp.
class FileList : public QListWidget {
  public:
    explicit FileList(FileListBox& owner) : owner_(owner) {
        setSelectionMode(QAbstractItemView::SingleSelection);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        // With nothing selected, the first arrow key selects the first entry.
        const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
        if (arrow && selectedItems().isEmpty() && count() > 0) {
            setCurrentRow(0);
            return;
        }
        QListWidget::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        QListWidget::keyReleaseEvent(event);
        if (!event->isAutoRepeat() && owner_.KeyUp) {
            owner_.KeyUp(toolkit::KeyCodeOf(*event), toolkit::ShiftStateOf(*event));
        }
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (owner_.DblClick) owner_.DblClick();
    }

  private:
    FileListBox& owner_;
};

FileListBox::FileListBox(Container& parent)
    : Control(parent, new FileList(*this)),
      list_(static_cast<FileList*>(Widget())),
      path_(drives::ToWindows(std::filesystem::current_path())) {
    Refresh();
}

void FileListBox::Path(const std::string& pathOrDrive) {
    const std::filesystem::path folder = toolkit::ReadableFolder(pathOrDrive);
    path_ = drives::ToWindows(folder);
    Fill(toolkit::VisibleEntries(folder, toolkit::EntryKind::Files));
}

void FileListBox::Pattern(const std::string& pattern) {
    pattern_ = pattern;
    Refresh();
}

void FileListBox::Refresh() {
    const auto folder = drives::Resolve(path_);
    Fill(folder ? toolkit::VisibleEntries(*folder, toolkit::EntryKind::Files)
                : std::vector<std::string>());
}

std::string FileListBox::List(std::int16_t index) const {
    return index >= 0 && index < ListCount() ? names_[static_cast<std::size_t>(index)]
                                             : std::string();
}

std::int16_t FileListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return static_cast<std::int16_t>(selected.isEmpty() ? -1 : list_->row(selected.front()));
}

void FileListBox::ListIndex(std::int16_t index) {
    if (index < -1 || index >= ListCount()) {
        throw RuntimeError(vberr::InvalidPropertyValue, "Invalid property value");
    }
    if (index == -1) {
        list_->clearSelection();
    } else {
        list_->setCurrentRow(index);
    }
}

std::string FileListBox::FileName() const {
    return List(ListIndex());
}

void FileListBox::Fill(const std::vector<std::string>& names) {
    names_.clear();
    list_->clear();
    for (const std::string& name : names) {
        if (!Matches(name)) continue;
        names_.push_back(name);
        list_->addItem(QFile::decodeName(name.c_str()));
    }
}

bool FileListBox::Matches(const std::string& name) const {
    std::size_t start = 0;
    while (start <= pattern_.size()) {
        const std::size_t end = std::min(pattern_.find(';', start), pattern_.size());
        if (drives::WildcardMatch(pattern_.substr(start, end - start), name)) return true;
        start = end + 1;
    }
    return false;
}
