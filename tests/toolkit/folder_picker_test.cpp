// The real folder dialog behind the shell functions: the prompt stands above the tree (not in
// the title bar), OK gives the folder chosen in the tree and Cancel nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QLabel>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

#include "platform/shell.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_application.h"

namespace {

// Runs `answer` on the dialog once it is up; gives up on the dialog after ten seconds.
void WhenTheDialogIsUp(std::function<void(QDialog&)> answer) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, started, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && started->elapsed() < 10000) return;
        poll->stop();
        poll->deleteLater();
        if (dialog != nullptr) answer(*dialog);
    });
    poll->start(10);
}

// The folder the real dialog gives for the prompt and start folder, in Windows form, or "".
std::string Browse(const char* prompt, const std::string& start) {
    ITEMIDLIST* root = SHSimpleIDListFromPath(start.c_str());
    char displayName[260] = {};
    BROWSEINFOA info{.hwndOwner = 0,
                     .pidlRoot = root,
                     .pszDisplayName = displayName,
                     .lpszTitle = prompt,
                     .ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE,
                     .lpfn = nullptr,
                     .lParam = 0,
                     .iImage = 0};
    ITEMIDLIST* chosen = SHBrowseForFolder(&info);
    char path[260] = {};
    if (chosen != nullptr) SHGetPathFromIDList(chosen, path);
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    return path;
}

TEST(FolderPicker, ShowsThePromptAboveTheTreeAndGivesTheChosenFolder) {
    EnsureApplication();
    test_support::TempFolder folder;
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'M', folder.path(), "[music]"}});
    const auto chosen = folder.MakeFolder("Start/Chosen one");
    std::vector<std::string> visibleTexts;
    std::string title, spokenName;
    WhenTheDialogIsUp([&](QDialog& dialog) {
        title = dialog.windowTitle().toStdString();
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->isVisible()) visibleTexts.push_back(label->text().toStdString());
        }
        auto* tree = dialog.findChild<QTreeView*>();
        spokenName = tree->accessibleName().toStdString();
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(QString::fromStdString(chosen.string())));
        dialog.accept();
    });
    EXPECT_EQ(Browse("Select The Directory To Open:", "M:\\Start"), "M:\\Start\\Chosen one");
    EXPECT_EQ(visibleTexts, std::vector<std::string>{"Select The Directory To Open:"});
    EXPECT_NE(title, "Select The Directory To Open:");
    EXPECT_FALSE(title.empty());
    EXPECT_FALSE(spokenName.empty());

    WhenTheDialogIsUp([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(Browse("Pick one:", "M:\\Start"), "");
}

}  // namespace
