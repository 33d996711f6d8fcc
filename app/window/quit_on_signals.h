#pragma once
// SIGTERM, SIGINT and SIGHUP end the program as closing its window does, through the Qt
// application's quit, instead of killing it where it stands.
class QObject;

namespace tgsim::app {

// Installs the handlers; the notifier that turns a signal into QCoreApplication::quit() is a
// child of `parent`. Call once, after the application exists.
void quitOnTerminationSignals(QObject* parent);

}  // namespace tgsim::app
