// The real folder dialog behind the shell functions (the window's tests use a stand-in).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QTimer>
#include <QTreeView>
#include <chrono>
#include <functional>

#include "platform/shell.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_application.h"

namespace {

using namespace std::chrono_literals;

// Runs `answer` on the dialog once it is up; gives up on the dialog after half a minute.
void WhenTheDialogIsUp(std::function<void(QDialog&)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer, start = std::chrono::steady_clock::now()] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && std::chrono::steady_clock::now() - start < 30s) return;
        poll->stop();
        poll->deleteLater();
        if (dialog != nullptr) answer(*dialog);
    });
    poll->start(10);
}

// The folder the dialog gives for the prompt and start folder, in Windows form, or "".
std::string Browse(const char* prompt, const std::string& start, char* displayName) {
    ITEMIDLIST* root = SHSimpleIDListFromPath(start.c_str());
    BROWSEINFOA info{};
    info.pidlRoot = root;
    info.pszDisplayName = displayName;
    info.lpszTitle = prompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    ITEMIDLIST* chosen = SHBrowseForFolder(&info);
    char path[260] = {};
    if (chosen != nullptr) {
        EXPECT_NE(SHGetPathFromIDList(chosen, path), 0);
    }
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    return path;
}

TEST(FolderPicker, OpensOnTheStartFolderWithThePromptAboveTheTreeAndGivesTheChosenFolder) {
    EnsureApplication();
    test_support::TempFolder folder;
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'M', folder.path(), "[music]"}});
    const auto chosen = folder.MakeFolder("Start/Mürrisch Musik");
    std::vector<std::string> visibleTexts;
    std::string title, spokenName, root;
    WhenTheDialogIsUp([&](QDialog& dialog) {
        title = dialog.windowTitle().toStdString();
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->isVisible()) visibleTexts.push_back(label->text().toStdString());
        }
        auto* tree = dialog.findChild<QTreeView*>();
        spokenName = tree->accessibleName().toStdString();
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        root = model->filePath(tree->rootIndex()).toStdString();
        tree->setCurrentIndex(model->index(QString::fromStdString(chosen.string())));
        dialog.accept();
    });
    char displayName[260] = {};
    const char* prompt = "Select The Directory To Open:";
    EXPECT_EQ(Browse(prompt, "m:\\start", displayName), "M:\\Start\\Mürrisch Musik");
    EXPECT_STREQ(displayName, "Mürrisch Musik");
    EXPECT_EQ(root, (folder.path() / "Start").string());
    EXPECT_EQ(visibleTexts, std::vector<std::string>{prompt});
    EXPECT_NE(title, prompt);
    EXPECT_FALSE(title.empty());
    EXPECT_FALSE(spokenName.empty());

    EXPECT_EQ(SHSimpleIDListFromPath("M:\\no such folder"), nullptr);
    WhenTheDialogIsUp([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(Browse("Pick one:", "M:\\Start", displayName), "");
}

}  // namespace
