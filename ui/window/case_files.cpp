#include "case_files.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QWidget>

#include "base/failure.h"
#include "base/input_file.h"
#include "chart_saving.h"
#include "driver/case/case_reader.h"
#include "driver/case/case_session.h"

namespace tgsim::window {
namespace {

const QString kCaption = QStringLiteral("Generator Synchroniczny z Regulatorem PID i Stabilizatorem Systemowym");
const QString kExtension = QString::fromLatin1(kCaseExtension);
const QString kFilter = QStringLiteral("Przypadki (*%1);;Wszystkie pliki (*)").arg(kExtension);

std::string fileSystemName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString askInDialog(QWidget* parent, bool save, const QString& start) {
    QFileDialog dialog(parent, save ? QStringLiteral("Zapisz przypadek") : QStringLiteral("Otwórz przypadek"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(kExtension.mid(1));  // a name typed without one gets .tgsim.toml
    const QFileInfo startAt(start);
    if (startAt.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(startAt.absolutePath());
        dialog.selectFile(startAt.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

CaseFiles::CaseFiles(QWidget* window, Session& session, RunCommand run)
    : QObject(window), window_(window), session_(session), run_(std::move(run)) {
    askFileName_ = [this](bool save, const QString& start) { return askInDialog(window_, save, start); };
    askDiscard_ = [this] {
        return QMessageBox::question(window_, kCaption,
                                     QStringLiteral("Zmiany wprowadzone od otwarcia lub zapisania przypadku "
                                                    "zostaną utracone. Kontynuować?")) == QMessageBox::Yes;
    };
    markUnchanged();
}

void CaseFiles::bindActions(QAction* open, QAction* save, QAction* restore) {
    connect(open, &QAction::triggered, this, &CaseFiles::OtworzPrzypadekClick);
    connect(save, &QAction::triggered, this, &CaseFiles::ZapiszPrzypadekClick);
    connect(restore, &QAction::triggered, this, &CaseFiles::PrzywrocSesjeClick);
}

QString CaseFiles::defaultRecoveryFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery") +
           kExtension;
}

void CaseFiles::setRecoveryFile(const QString& file) {
    recoveryFile_ = file;
    previousSession_.reset();
    if (file.isEmpty() || !QFileInfo::exists(file)) return;
    try {
        previousSession_ = readInputFile(fileSystemName(file), kMostCaseBytes);
    } catch (const Failure&) {
        // Unreadable: restoring it says so when asked.
    }
}

void CaseFiles::writeRecoveryCopy() {
    if (recoveryFile_.isEmpty()) return;
    try {
        QDir().mkpath(QFileInfo(recoveryFile_).absolutePath());
        saveCaseFile(session_, fileSystemName(recoveryFile_));
        recoveryFailureReported_ = false;
    } catch (const Failure& failure) {
        if (recoveryFailureReported_ || !report_) return;
        recoveryFailureReported_ = true;
        report_(QStringLiteral("The recovery copy of the session was not written:\n") +
                QString::fromStdString(failure.what()));
    }
}

bool CaseFiles::modified() const { return captureCase(session_) != unchanged_; }

void CaseFiles::markUnchanged() {
    unchanged_ = captureCase(session_);
    updateTitle();
}

void CaseFiles::updateTitle() {
    QString title = kCaption;
    if (!fileName_.isEmpty()) {
        QString name = QFileInfo(fileName_).fileName();
        if (name.endsWith(kExtension) && name.size() > kExtension.size()) name.chop(kExtension.size());
        title = name + (modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") + kCaption;
    }
    if (window_->windowTitle() != title) window_->setWindowTitle(title);
}

bool CaseFiles::mayDiscardChanges() { return !modified() || askDiscard_(); }

void CaseFiles::open(const QString& file, const std::optional<std::string>& text, const QString& named) {
    bool opened = false;
    run_([&] {
        if (text)
            openCaseText(session_, *text, fileSystemName(file));
        else
            openCaseFile(session_, fileSystemName(file));
        opened = true;
    });
    if (!opened) return;
    fileName_ = named;
    markUnchanged();
}

void CaseFiles::OtworzPrzypadekClick() {
    if (!mayDiscardChanges()) return;
    const QString name = askFileName_(false, fileName_.isEmpty() ? ChartSaving::startFolder() : fileName_);
    if (!name.isEmpty()) open(name, std::nullopt, name);
}

void CaseFiles::ZapiszPrzypadekClick() {
    const QString start =
        fileName_.isEmpty() ? ChartSaving::startFolder() + QStringLiteral("/przypadek") + kExtension : fileName_;
    const QString name = askFileName_(true, start);
    if (name.isEmpty()) return;
    bool saved = false;
    run_([&] {
        saveCaseFile(session_, fileSystemName(name));
        saved = true;
    });
    if (!saved) return;
    fileName_ = name;
    markUnchanged();
}

void CaseFiles::PrzywrocSesjeClick() {
    if (!previousSession_) {
        run_([] { throw Failure("There is no previous session to restore: no recovery copy was found at start"); });
        return;
    }
    if (!mayDiscardChanges()) return;
    // The restored session is no file of the user's: saving it asks for a name.
    open(recoveryFile_, previousSession_, QString());
}

}  // namespace tgsim::window
