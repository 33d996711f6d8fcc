#pragma once
// The window's case files: "Otwórz przypadek…" (Ctrl+O), "Zapisz przypadek…" (Ctrl+S), the case's
// name in the window title with a * while there are changes since it was opened or saved, and the
// recovery copy of the session in the user's folder for application data, which "Przywróć
// poprzednią sesję" reopens.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "driver/case/case_contents.h"
#include "driver/session.h"

class QAction;
class QWidget;

namespace tgsim::window {

class CaseFiles : public QObject {
    Q_OBJECT
public:
    // Runs a command on the window: the widgets show the session afterwards, a failure's message
    // is reported, and the command's own effects after the failing call are skipped.
    using RunCommand = std::function<void(const std::function<void()>&)>;
    // Asks for a file name to open (save false) or to save under, starting at `start`; empty when
    // the user cancels.
    using AskFileName = std::function<QString(bool save, const QString& start)>;

    CaseFiles(QWidget* window, Session& session, RunCommand run);

    void bindActions(QAction* open, QAction* save, QAction* restore);
    // Tests answer for the user: the file dialogs and the question before changes are given up.
    void setAskFileName(AskFileName ask) { askFileName_ = std::move(ask); }
    void setAskDiscardChanges(std::function<bool()> ask) { askDiscard_ = std::move(ask); }
    // Where a failure of the recovery copy is reported.
    void setFailureReport(std::function<void(const QString&)> report) { report_ = std::move(report); }

    // The file of the recovery copy ("" for none: nothing is written then). What it holds at this
    // moment, the copy the last session left, is what "Przywróć poprzednią sesję" reopens; the
    // copies this session writes replace the file, never that text.
    void setRecoveryFile(const QString& file);
    const QString& recoveryFile() const { return recoveryFile_; }
    // recovery.tgsim.toml in the user's folder for this application's data.
    static QString defaultRecoveryFile();
    // Writes the session's case into the recovery file (after every computation, when the window
    // closes, and wherever else the window ends). A failure is reported once until a copy
    // succeeds again.
    void writeRecoveryCopy();

    // The case file opened or saved last ("" for none) and whether the session has changed since.
    const QString& fileName() const { return fileName_; }
    bool modified() const;
    // Shows the case's name and the * in the window title.
    void updateTitle();

public slots:
    void OtworzPrzypadekClick();
    void ZapiszPrzypadekClick();
    void PrzywrocSesjeClick();

private:
    // Whether changes not saved may be given up (asks only when there are some).
    bool mayDiscardChanges();
    // Opens the case (from `text` when given, else from `file`); on success `named` becomes the
    // case's file.
    void open(const QString& file, const std::optional<std::string>& text, const QString& named);
    void markUnchanged();

    QWidget* window_;
    Session& session_;
    RunCommand run_;
    AskFileName askFileName_;
    std::function<bool()> askDiscard_;
    std::function<void(const QString&)> report_;
    QString fileName_;
    CaseContents unchanged_;  // the session's case when it was opened or saved last
    QString recoveryFile_;
    std::optional<std::string> previousSession_;  // the recovery copy found at start
    bool recoveryFailureReported_ = false;
};

}  // namespace tgsim::window
