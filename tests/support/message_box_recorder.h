#pragma once
// Stands in for the modal message box: remembers each box and answers OK at once.
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace test_support {

struct ShownBox {
    std::string prompt;
    int style;
    std::string title;
};

class MessageBoxRecorder : public MessageBoxPresenter {
  public:
    MessageBoxRecorder() : previous_(SetMessageBoxPresenter(this)) {}
    ~MessageBoxRecorder() override { SetMessageBoxPresenter(previous_); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    int Show(const std::string& prompt, int style, const std::string& title) override {
        boxes.push_back({prompt, style, title});
        return vbOK;
    }
    std::vector<ShownBox> boxes;

  private:
    MessageBoxPresenter* previous_;
};

}  // namespace test_support
