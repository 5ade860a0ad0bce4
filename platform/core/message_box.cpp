#include <algorithm>
#include <atomic>
#include <iostream>

#include "platform/user_interface.h"

namespace {

// For a process without windows (the command-line tool): the box goes to standard error.
class StandardErrorPresenter : public MessageBoxPresenter {
public:
    int Show(const std::string& prompt, int, const std::string& title) override {
        std::string text = prompt;
        std::replace(text.begin(), text.end(), '\r', '\n');
        std::cerr << title << ": " << text << '\n';
        return vbOK;
    }
};

StandardErrorPresenter standardError;
std::atomic<MessageBoxPresenter*> installed{nullptr};

}  // namespace

MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter) {
    return installed.exchange(presenter);
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
    MessageBoxPresenter* presenter = installed.load();
    return (presenter ? presenter : &standardError)->Show(prompt, style, title);
}
