// Corvala: auditions MIDI songs and WAVE sounds, one of each at a time.
#include <cstdio>

#include "main_window/command_line.h"
#include "main_window/desktop_session.h"
#include "main_window/frm_main.h"
#include "platform/app.h"
#include "platform/soundfont.h"

namespace {

// Whatever the command line asks that needs no window; nothing when the window is to start.
std::optional<int> AnswerWithoutWindow(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(Usage().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::printf("corvala %d.%d.%d\n", App::Major(), App::Minor(), App::Revision());
            return 0;
        case CommandLine::Action::Wrong:
            std::fprintf(stderr, "corvala: %s\n%s", line.error.c_str(), Usage().c_str());
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    if (desktop_bus::HandToRunningWindow(kApplicationId, line.files)) return 0;
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (const auto code = AnswerWithoutWindow(line)) return *code;
    if (line.soundfont) ChooseSoundfont(*line.soundfont);
    int toolkitArgc = 1;  // the toolkit reads no option of its own from corvala's command line
    Application application(toolkitArgc, argv, "Corvala");
    frmMain form;
    DesktopSession session(form);
    if (session.AnotherWindowHasIt()) {  // lost the race to a start beside this one
        return desktop_bus::HandToRunningWindow(kApplicationId, line.files) ? 0 : 1;
    }
    form.Show();
    form.OpenFiles(line.files);
    return application.Run();
}
