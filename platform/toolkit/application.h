#pragma once
// The toolkit's application: the event loop, the program's title, the message box, the
// fonts standing in for the classic ones and the sound output. Create one before any form.
#include <memory>
#include <string>

class QApplication;
namespace audio {
class SdlAudioSession;
}
namespace platform {
class TerminationSignals;
}

// Ends the program: Application::Run returns. Without a running event loop it does nothing.
void End();

class Application {
  public:
    Application(int& argc, char** argv, const std::string& title);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the event loop until the last form is unloaded; returns the exit code. SIGTERM,
    // SIGINT and SIGHUP unload the forms, the first loaded first, and end the loop with 0.
    int Run();

  private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<audio::SdlAudioSession> sound_;  // the media service plays through it
    std::unique_ptr<platform::TerminationSignals> signals_;  // last, so it stops first
};
