#pragma once
// Stands in for the desktop's launcher: remembers each URL it is asked to open and answers as
// the test sets, so no browser or mail program starts.
#include <string>
#include <vector>

#include "platform/shell.h"

namespace test_support {

class DesktopLauncherRecorder : public DesktopLauncher {
  public:
    DesktopLauncherRecorder() : previous_(SetDesktopLauncher(this)) {}
    ~DesktopLauncherRecorder() override { SetDesktopLauncher(previous_); }
    DesktopLauncherRecorder(const DesktopLauncherRecorder&) = delete;
    DesktopLauncherRecorder& operator=(const DesktopLauncherRecorder&) = delete;

    bool Open(const std::string& url) override {
        opened.push_back(url);
        return answer;
    }

    std::vector<std::string> opened;
    bool answer = true;

  private:
    DesktopLauncher* previous_;
};

}  // namespace test_support
