#include "platform/toolkit/dir_list_box.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "platform/drives.h"
#include "platform/runtime_error.h"
#include "platform/toolkit/folder_access.h"
#include "platform/toolkit/folder_icons.h"
#include "platform/toolkit/key_codes.h"

namespace {

constexpr int PathRole = Qt::UserRole;

// Windows-form paths of the folder and each of its ancestors, the drive root first.
std::vector<std::pair<std::string, std::string>> Ancestors(const std::string& windowsPath) {
    std::vector<std::pair<std::string, std::string>> chain;  // (shown name, path)
    std::string path;
    std::size_t start = 0;
    while (start <= windowsPath.size()) {
        const std::size_t end = std::min(windowsPath.find('\\', start), windowsPath.size());
        const std::string part = windowsPath.substr(start, end - start);
        if (chain.empty()) {
            path = part + "\\";
            chain.emplace_back(path, path);
        } else if (!part.empty()) {
            path = toolkit::JoinWindowsPath(path, part);
            chain.emplace_back(part, path);
        }
        start = end + 1;
    }
    return chain;
}

}  // namespace

// The tree widget behind the list: reports keys and opens folders on Enter and double-click.
class DirTree : public QTreeWidget {
  public:
    explicit DirTree(DirListBox& owner) : owner_(owner) {
        setHeaderHidden(true);
        setRootIsDecorated(false);
        setIndentation(12);
        setItemsExpandable(false);
        // Every level is always open, so no branch shows an expand arrow.
        setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
        QObject::connect(this, &QTreeWidget::itemDoubleClicked,
                         [this](QTreeWidgetItem* item) { OpenItem(item); });
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (owner_.KeyDown)
            owner_.KeyDown(toolkit::KeyCodeOf(*event), toolkit::ShiftStateOf(*event));
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            OpenItem(currentItem());
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }

  private:
    void OpenItem(QTreeWidgetItem* item) {
        if (item != nullptr) owner_.Open(item->data(0, PathRole).toByteArray().toStdString());
    }

    DirListBox& owner_;
};

DirListBox::DirListBox(Container& parent)
    : Control(parent, new DirTree(*this)),
      tree_(static_cast<DirTree*>(Widget())),
      path_(drives::CurrentDirectory(drives::CurrentDrive())) {
    Rebuild();
}

void DirListBox::Path(const std::string& pathOrDrive) {
    const std::string path = drives::ToWindows(toolkit::ReadableFolder(pathOrDrive));
    drives::SetCurrentDirectory(path);
    if (path == path_) return;
    path_ = path;
    Rebuild();
    if (Change) Change();
}

void DirListBox::Refresh() {
    const QTreeWidgetItem* highlighted = tree_->currentItem();
    const QVariant kept = highlighted != nullptr ? highlighted->data(0, PathRole) : QVariant();
    Rebuild();
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
        if ((*it)->data(0, PathRole) == kept) tree_->setCurrentItem(*it);
    }
}

std::int16_t DirListBox::ListCount() const {
    const QTreeWidgetItem* current = tree_->currentItem();
    return static_cast<std::int16_t>(current != nullptr ? current->childCount() : 0);
}

std::string DirListBox::List(std::int16_t index) const {
    const QTreeWidgetItem* current = tree_->currentItem();
    const QTreeWidgetItem* child = current != nullptr ? current->child(index) : nullptr;
    return child != nullptr ? child->data(0, PathRole).toByteArray().toStdString() : std::string();
}

void DirListBox::Open(const std::string& path) {
    try {
        Path(path);
    } catch (const RuntimeError&) {
        // A folder that cannot be read simply stays closed.
    }
}

void DirListBox::Rebuild() {
    tree_->clear();
    QTreeWidgetItem* parent = nullptr;
    for (const auto& [name, path] : Ancestors(path_)) {
        auto* item = parent == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parent);
        item->setText(0, QFile::decodeName(name.c_str()));
        item->setIcon(0, toolkit::OpenFolderIcon());
        item->setData(0, PathRole, QByteArray::fromStdString(path));
        parent = item;
    }
    const auto folder = drives::Resolve(path_);
    if (folder) {
        for (const std::string& name :
             toolkit::VisibleEntries(*folder, toolkit::EntryKind::Folders)) {
            auto* item = new QTreeWidgetItem(parent);
            item->setText(0, QFile::decodeName(name.c_str()));
            item->setIcon(0, toolkit::ClosedFolderIcon());
            item->setData(0, PathRole,
                          QByteArray::fromStdString(toolkit::JoinWindowsPath(path_, name)));
        }
    }
    tree_->expandAll();
    tree_->setCurrentItem(parent);
}
