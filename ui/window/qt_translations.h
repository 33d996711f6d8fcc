#pragma once
// Qt's own texts (the buttons and labels of the file dialog, the message boxes' buttons) in
// Polish, like the rest of the window.
class QCoreApplication;

namespace tgsim::window {

// Installs Qt's Polish translation (qtbase_pl.qm from Qt's translations folder) for the
// application's lifetime; must run before the first dialog is built. False when the translation
// is not installed (the texts stay in English).
bool installQtTranslations(QCoreApplication& application);

}  // namespace tgsim::window
