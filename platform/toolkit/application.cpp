#include "platform/toolkit/application.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/audio/sdl_audio_session.h"
#include "platform/termination_signals.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/message_box_window.h"
#include "platform/toolkit/window_system.h"

namespace {

// The classic forms were drawn in MS Sans Serif 8.25 pt and Arial; Nimbus Sans (Helvetica
// metrics) comes closest among the free fonts, DejaVu Sans is the fallback everywhere.
void UseClassicFonts() {
    const QStringList standIns = {QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), standIns);
    QFont::insertSubstitutions(QStringLiteral("Arial"), standIns);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

bool running = false;
bool endedBySignal = false;

// Qt ends the process with a fatal message when no window system answers. While the toolkit
// starts, its messages are held back: the fatal one becomes a single line and exit status 1,
// the others are passed on once it has started.
struct HeldMessage {
    QtMsgType type;
    const char* category;  // categories are named by string literals
    QString text;
};
std::vector<HeldMessage> heldMessages;
std::string programName;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: there is no display to show the window on (no X server or "
                             "Wayland compositor answered)\n",
                     programName.c_str());
        std::_Exit(1);
    }
    heldMessages.push_back({type, context.category, text});
}

std::unique_ptr<QApplication> StartQt(int& argc, char** argv) {
    programName = std::filesystem::path(argv[0]).filename().string();
    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& held : heldMessages) {
        qt_message_output(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category),
                          held.text);
    }
    heldMessages.clear();
    return app;
}

std::unique_ptr<QApplication> MakeQApplication(int& argc, char** argv) {
    if (!toolkit::UseXWayland()) return StartQt(argc, argv);
    qputenv("QT_QPA_PLATFORM", "xcb");
    auto app = StartQt(argc, argv);
    qunsetenv("QT_QPA_PLATFORM");  // programs the user opens from here choose for themselves
    return app;
}

toolkit::MessageBoxWindow& MessageBoxWindowInstance() {
    static toolkit::MessageBoxWindow window;
    return window;
}

// Ends the program as its own exit command does: the first form loaded is the main window,
// whose Unload closes the devices, saves the settings and unloads the other forms.
void UnloadEveryForm() {
    for (auto forms = Forms(); !forms.empty(); forms = Forms()) {
        forms.front()->UnloadForm();
        if (forms.front()->Loaded()) break;  // a form refused to unload: end all the same
    }
    // The signal may come while a box of the start-up's is up, before the main loop runs: every
    // loop running is left, later boxes return at once, and the main loop is not entered.
    endedBySignal = true;
    QCoreApplication::exit(0);
}

}  // namespace

Application::Application(int& argc, char** argv, const std::string& title)
    : app_(MakeQApplication(argc, argv)), sound_(std::make_unique<audio::SdlAudioSession>()) {
    QApplication::setApplicationName(QString::fromStdString(title));
    // The program ends when its last form is unloaded, not when its last window closes: a
    // message box closing while the main window hides in the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    UseClassicFonts();
    SetMessageBoxPresenter(&MessageBoxWindowInstance());
    signals_ = std::make_unique<platform::TerminationSignals>([app = app_.get()](int) {
        QMetaObject::invokeMethod(app, UnloadEveryForm, Qt::QueuedConnection);
    });
}

Application::~Application() {
    SetMessageBoxPresenter(nullptr);
}

int Application::Run() {
    if (endedBySignal) return 0;
    running = true;
    const int code = QApplication::exec();
    running = false;
    return code;
}

void End() {
    if (running) QCoreApplication::exit(0);
}
