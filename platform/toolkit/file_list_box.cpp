#include "platform/toolkit/file_list_box.h"

#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <cstdint>

#include "platform/drives.h"
#include "platform/runtime_error.h"
#include "platform/toolkit/folder_access.h"
#include "platform/toolkit/key_codes.h"

// The list widget behind the control: raises DblClick and KeyUp.
class FileList : public QListWidget {
  public:
    explicit FileList(FileListBox& owner) : owner_(owner) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setDragDropMode(QAbstractItemView::DragOnly);
        setDefaultDropAction(Qt::CopyAction);
    }

  protected:
    // A drop target may copy the file, never move it away from the user.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

    QStringList mimeTypes() const override {
        return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
    }

    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        QList<QUrl> urls;
        QStringList paths;
        for (const QListWidgetItem* item : items) {
            const auto file = owner_.FilePath(static_cast<std::size_t>(row(item)));
            if (!file) continue;
            paths.push_back(QFile::decodeName(file->c_str()));
            urls.push_back(QUrl::fromLocalFile(paths.back()));
        }
        if (urls.isEmpty()) return nullptr;
        auto* data = new QMimeData;
        data->setUrls(urls);
        data->setText(paths.join(QLatin1Char('\n')));
        return data;
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (!event->isAutoRepeat()) pressedKeys_.insert(event->key());
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
        // A key whose press went elsewhere, such as a menu shortcut, is not this list's key.
        if (event->isAutoRepeat() || !pressedKeys_.remove(event->key())) return;
        if (owner_.KeyUp) {
            owner_.KeyUp(toolkit::KeyCodeOf(*event), toolkit::ShiftStateOf(*event));
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        pressedKeys_.clear();  // keys held now are released over another control
        QListWidget::focusOutEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && owner_.DblClick) owner_.DblClick();
    }

  private:
    FileListBox& owner_;
    QSet<int> pressedKeys_;
};

FileListBox::FileListBox(Container& parent)
    : Control(parent, new FileList(*this)),
      list_(static_cast<FileList*>(Widget())),
      path_(drives::CurrentDirectory(drives::CurrentDrive())) {
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
    const std::string selected = FileName();
    const auto folder = drives::Resolve(path_);
    Fill(folder ? toolkit::VisibleEntries(*folder, toolkit::EntryKind::Files)
                : std::vector<std::string>());
    const auto kept = std::ranges::find(names_, selected);
    if (!selected.empty() && kept != names_.end())
        list_->setCurrentRow(static_cast<int>(kept - names_.begin()));
}

std::int16_t FileListBox::ListCount() const {
    return SixteenBit(names_.size());
}

std::string FileListBox::List(std::int16_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < names_.size()
               ? names_[static_cast<std::size_t>(index)]
               : std::string();
}

std::int16_t FileListBox::ListIndex() const {
    const auto row = SelectedRow();
    return row ? SixteenBit(*row) : std::int16_t{-1};
}

void FileListBox::ListIndex(std::int16_t index) {
    if (index < -1 || (index >= 0 && static_cast<std::size_t>(index) >= names_.size())) {
        throw RuntimeError(vberr::InvalidPropertyValue, "Invalid property value");
    }
    if (index == -1) {
        list_->clearSelection();
    } else {
        list_->setCurrentRow(index);
    }
}

std::string FileListBox::FileName() const {
    const auto row = SelectedRow();
    return row ? names_[*row] : std::string();
}

std::optional<std::filesystem::path> FileListBox::FilePath(std::size_t row) const {
    const auto folder = drives::Resolve(path_);
    if (!folder || row >= names_.size()) return std::nullopt;
    return *folder / names_[row];
}

std::optional<std::size_t> FileListBox::SelectedRow() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(list_->row(selected.front()));
}

std::int16_t FileListBox::SixteenBit(std::size_t value) {
    if (value > static_cast<std::size_t>(INT16_MAX))
        throw RuntimeError(vberr::Overflow, "Overflow");
    return static_cast<std::int16_t>(value);
}

void FileListBox::Fill(const std::vector<std::string>& names) {
    names_.clear();
    list_->clear();
    QStringList shown;
    for (const std::string& name : names) {
        if (!Matches(name)) continue;
        names_.push_back(name);
        shown.push_back(QFile::decodeName(name.c_str()));
    }
    list_->addItems(shown);
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
