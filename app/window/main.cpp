// tgsim: the simulator's main window.
#include <QApplication>
#include <iostream>

#include "headless_run.h"
#include "quit_on_signals.h"
#include "ui/window/case_files.h"
#include "ui/window/qt_translations.h"
#include "ui/window/main_window.h"

namespace {

bool screenAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    const bool headless = !screenAvailable();
    if (headless) {
        std::cerr << "tgsim: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open.\n"
                     "To use the window on this machine, start it under a virtual screen:\n"
                     "  xvfb-run -s \"-screen 0 1280x1024x24\" "
                  << argv[0]
                  << "\n"
                     "Running the start-up computation without a window instead; writing:\n";
        // The runner draws the chart off screen, with an application of its own.
        return tgsim::app::runHeadless();
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tgsim"));
    tgsim::window::installQtTranslations(application);
    tgsim::window::TForm1 form;
    form.caseFiles()->setRecoveryFile(tgsim::window::CaseFiles::defaultRecoveryFile());
    // Whatever ends the program (the window closed, "Koniec", a termination signal) ends it
    // through the window.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &form, [&form] { form.aboutToEnd(); });
    tgsim::app::quitOnTerminationSignals(&form);
    form.show();
    return QApplication::exec();
}
