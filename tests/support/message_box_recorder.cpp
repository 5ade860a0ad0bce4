#include "tests/support/message_box_recorder.h"

namespace test_support {

MessageBoxRecorder::MessageBoxRecorder() : previous_(SetMessageBoxPresenter(this)) {}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxPresenter(previous_); }

int MessageBoxRecorder::Show(const std::string& prompt, int style, const std::string& title) {
    boxes.push_back({prompt, style, title});
    return vbOK;
}

}  // namespace test_support
