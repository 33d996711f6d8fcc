#include "machine_files.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/failure.h"
#include "base/text_file.h"
#include "chart_saving.h"

namespace tgsim::window {
namespace {

const QString kDyrFilter = QStringLiteral("PSS/E .dyr (*.dyr *.DYR);;All files (*)");

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MachinePickDialog::MachinePickDialog(const psse::DyrFile& file, QWidget* parent)
    : QDialog(parent), file_(file), machines_(psse::machines(file)) {
    setWindowTitle(QStringLiteral("Wczytaj maszynę z pliku .dyr"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Maszyny w pliku ") + QFileInfo(text(file.name)).fileName() + QStringLiteral(":"), this));
    list_ = new QListWidget(this);
    int first = -1;
    for (std::size_t k = 0; k < machines_.size(); ++k) {
        const psse::DyrRecord& machine = *machines_[k];
        list_->addItem(text(machine.model + " " + psse::machineName(*machine.key) + "  (wiersz " +
                            std::to_string(machine.line) + (psse::pss2aOf(file, *machine.key) ? ", z PSS2A)" : ")")));
        if (first < 0 && machine.model == "GENROU") first = static_cast<int>(k);
    }
    layout->addWidget(list_);
    pss_ = new QCheckBox(QStringLiteral("Wczytaj też stabilizator PSS2A tej maszyny"), this);
    layout->addWidget(pss_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, &MachinePickDialog::followChoice);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    list_->setCurrentRow(first < 0 ? 0 : first);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!machines_.empty());
}

void MachinePickDialog::followChoice() {
    const int row = list_->currentRow();
    const bool has = row >= 0 && psse::pss2aOf(file_, *machines_[static_cast<std::size_t>(row)]->key);
    pss_->setEnabled(has);
    pss_->setChecked(has);
}

psse::MachineChoice MachinePickDialog::choice() const {
    const int row = list_->currentRow();
    if (row < 0) return {};
    const psse::MachineKey& key = *machines_[static_cast<std::size_t>(row)]->key;
    return {key.bus, key.id};
}

bool MachinePickDialog::withPss() const { return pss_->isEnabled() && pss_->isChecked(); }

MachineFiles::MachineFiles(QWidget* window) : QObject(window), window_(window) {
    askOpen_ = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(window_, caption, ChartSaving::startFolder(), filter);
    };
    askSave_ = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(window_, caption, ChartSaving::startFolder(), filter);
    };
    pick_ = [this](const psse::DyrFile& file) -> std::optional<MachineRequest> {
        MachinePickDialog dialog(file, window_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return MachineRequest{file.name, dialog.choice(), dialog.withPss()};
    };
    note_ = [this](const QString& note) {
        QMessageBox::information(window_, QStringLiteral("Maszyna z pliku .dyr"), note);
    };
}

std::optional<MachineRequest> MachineFiles::askImport() {
    const QString name = askOpen_(QStringLiteral("Wczytaj maszynę z pliku .dyr"), kDyrFilter);
    if (name.isEmpty()) return std::nullopt;
    const psse::DyrFile file = psse::readDyrFile(name.toStdString());
    if (psse::machines(file).empty()) psse::chooseMachine(file, {});  // says the file has none
    return pick_(file);
}

void MachineFiles::exportMachine(const Session& session) {
    const QString name = askSave_(QStringLiteral("Maszyna jako .dyr"), kDyrFilter);
    if (name.isEmpty()) return;
    const psse::DyrExport exported = session.exportMachine();
    writeTextFile(name.toStdString(), [&](std::ostream& out) { out << exported.text; });
    QString notes;
    for (const std::string& note : exported.notes) notes += (notes.isEmpty() ? "" : "\n") + text(note);
    if (!notes.isEmpty()) showNote(notes);
}

void MachineFiles::showNote(const QString& note) {
    if (note_) note_(note);
}

}  // namespace tgsim::window
