#include "chart_saving.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include "base/failure.h"
#include "driver/result_export.h"
#include "base/text_file.h"
#include "ui/chart/result_chart.h"
#include "ui/chart/session_chart_picture.h"

namespace tgsim::window {
namespace {

const QString kPictureTypes =
    QStringLiteral("Pictures (*.wmf *.emf *.png *.svg *.pdf *.jpg *.jpeg *.bmp);;All files (*)");

}  // namespace

ChartSaving::ChartSaving(QWidget* window, ResultChart* chart, const Session& session)
    : QObject(window), window_(window), chart_(chart), session_(session) {
    // The name is used exactly as entered: no extension is added, and an existing file is
    // replaced without a question.
    ask_ = [this](const QString& caption, const QString& start, const QString& filter) {
        return QFileDialog::getSaveFileName(window_, caption, start, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
}

QString ChartSaving::startFolder() {
    const QDir preferred(QStringLiteral("d:\\Moje doc"));
    if (preferred.exists()) return preferred.absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void ChartSaving::saveAs(const QString& caption, const QString& filter,
                         const std::function<void(const QString&)>& save) {
    const QString name = ask_(caption, lastName_.isEmpty() ? startFolder() : lastName_, filter);
    if (name.isEmpty()) return;  // cancelled: nothing is written
    lastName_ = name;
    try {
        save(name);
    } catch (const Failure& failure) {
        if (report_) report_(QString::fromStdString(failure.what()));
    }
}

void ChartSaving::Gdzie1Click() {
    saveAs(QStringLiteral("Gdzie zapisac wykres ?"), kPictureTypes,
           [this](const QString& name) { saveResultChart(*chart_, name, PictureFormat::Wmf); });
}

void ChartSaving::Gdzie2Click() {
    saveAs(QStringLiteral("Gdzie zapisac formularz / Enh ?"), kPictureTypes,
           [this](const QString& name) { saveResultChart(*chart_, name, PictureFormat::Emf); });
}

void ChartSaving::SavePictureClick() {
    saveAs(QStringLiteral("Wykres jako PNG, SVG lub PDF"),
           QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf);;Windows Metafile (*.wmf);;Enhanced Metafile (*.emf)"),
           [this](const QString& name) { saveResultChart(*chart_, name); });
}

void ChartSaving::SaveResultsClick() {
    saveAs(QStringLiteral("Wyniki obliczeń (CSV)"), QStringLiteral("CSV (*.csv);;All files (*)"),
           [this](const QString& name) {
               writeTextFile(name.toStdString(), [this](std::ostream& out) { writeResultsCsv(session_, out); });
           });
}

void ChartSaving::SaveChartDataClick() {
    saveAs(QStringLiteral("Przebiegi z wykresu (CSV)"), QStringLiteral("CSV (*.csv);;All files (*)"),
           [this](const QString& name) {
               writeTextFile(name.toStdString(), [this](std::ostream& out) { writeChartCsv(session_, out); });
           });
}

}  // namespace tgsim::window
