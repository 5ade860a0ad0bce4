#include "platform/toolkit/folder_picker_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/toolkit/dialog_owner.h"

namespace toolkit {
namespace {

QString NameOf(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

}  // namespace

std::optional<std::filesystem::path> PickFolder(QWidget* owner, const std::string& prompt,
                                                const std::filesystem::path& root) {
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Browse For Folder"));
    auto* label = new QLabel(QString::fromStdString(prompt));
    label->setWordWrap(true);

    auto* folders = new QFileSystemModel(&dialog);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    const QString top = root.empty() ? QDir::rootPath() : NameOf(root);
    folders->setRootPath(top);
    auto* tree = new QTreeView;
    tree->setAccessibleName(QStringLiteral("Folders"));
    tree->setModel(folders);
    tree->setRootIndex(folders->index(top));
    for (int column = 1; column < folders->columnCount(); ++column) tree->hideColumn(column);
    tree->header()->hide();
    // Open at the user's home folder when it lies in the tree, as the shell opens at its desktop.
    const QModelIndex home = folders->index(QDir::homePath());
    if (home.isValid() && QDir::homePath().startsWith(top)) {
        tree->setCurrentIndex(home);
        tree->scrollTo(home);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(tree, &QTreeView::doubleClicked, &dialog, &QDialog::accept);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(tree);
    layout->addWidget(buttons);
    dialog.resize(360, 420);

    OwnDialog(dialog, owner != nullptr ? owner : DialogOwner(&dialog));
    QTimer::singleShot(0, &dialog, [&dialog] { BringForward(dialog); });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QModelIndex chosen = tree->currentIndex();
    const QString path = chosen.isValid() ? folders->filePath(chosen) : top;
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace toolkit
