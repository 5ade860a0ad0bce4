#include "platform/toolkit/application.h"

#include <QApplication>
#include <QFont>

#include "platform/audio/sdl_audio_session.h"
#include "platform/termination_signals.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/message_box_window.h"

namespace {

// The classic forms were drawn in MS Sans Serif 8.25 pt; Nimbus Sans (Helvetica metrics) comes
// closest among the free fonts, DejaVu Sans is the fallback everywhere.
void UseClassicFonts() {
    const QStringList standIns = {QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), standIns);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

toolkit::MessageBoxWindow& MessageBoxWindowInstance() {
    static toolkit::MessageBoxWindow window;
    return window;
}

// Ends the program as its own exit command does: the first form loaded is the main window,
// whose Unload closes the devices, saves the settings and unloads the other forms.
void UnloadEveryForm() {
    for (auto forms = Form::LoadedForms(); !forms.empty(); forms = Form::LoadedForms()) {
        forms.front()->UnloadForm();
        if (forms.front()->Loaded()) break;  // a form refused to unload: end all the same
    }
    QCoreApplication::exit(0);
}

}  // namespace

Application::Application(int& argc, char** argv, const std::string& title)
    : app_(std::make_unique<QApplication>(argc, argv)),
      sound_(std::make_unique<audio::SdlAudioSession>()) {
    QApplication::setApplicationName(QString::fromStdString(title));
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
    return QApplication::exec();
}
