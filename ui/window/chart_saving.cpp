#include "chart_saving.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>

#include "base/failure.h"
#include "driver/result_export.h"
#include "base/text_file.h"
#include "ui/chart/result_chart.h"
#include "ui/chart/session_chart_picture.h"

namespace tgsim::window {
namespace {

const QString kPictureTypes = QStringLiteral("Pictures (*.wmf *.emf *.png *.svg *.pdf);;All files (*)");

// By PictureFormat.
constexpr const char* kExtensions[] = {"wmf", "emf", "png", "svg", "pdf"};

// Picture types the chart is not saved in, beyond those Qt can write.
const QStringList kOtherPictureTypes = {QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                        QStringLiteral("gif"),  QStringLiteral("tif"),  QStringLiteral("tiff"),
                                        QStringLiteral("webp"), QStringLiteral("ico"),  QStringLiteral("eps"),
                                        QStringLiteral("ps"),   QStringLiteral("jfif"), QStringLiteral("heic")};

}  // namespace

ChartSaving::ChartSaving(QWidget* window, ResultChart* chart, const Session& session)
    : QObject(window), window_(window), chart_(chart), session_(session) {
    // An existing file is replaced without a question.
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

std::pair<QString, PictureFormat> ChartSaving::pictureTarget(const QString& typed, PictureFormat format) {
    if (const std::optional<PictureFormat> named = pictureFormatForFileName(typed)) return {typed, *named};
    const QString suffix = QFileInfo(typed).suffix().toLower();
    if (!suffix.isEmpty() &&
        (kOtherPictureTypes.contains(suffix) || QImageWriter::supportedImageFormats().contains(suffix.toLatin1())))
        throw Failure("Cannot save the chart as a ." + suffix.toStdString() +
                      " picture: the chart is saved as .wmf, .emf, .png, .svg or .pdf");
    return {typed + QLatin1Char('.') + QString::fromLatin1(kExtensions[static_cast<std::size_t>(format)]), format};
}

void ChartSaving::saveAs(const QString& caption, const QString& filter,
                         const std::function<QString(const QString&)>& save) {
    const QString name = ask_(caption, lastName_.isEmpty() ? startFolder() : lastName_, filter);
    if (name.isEmpty()) return;  // cancelled: nothing is written
    lastName_ = name;
    try {
        lastName_ = save(name);
    } catch (const Failure& failure) {
        if (report_) report_(QString::fromStdString(failure.what()));
    }
}

void ChartSaving::savePicture(const QString& caption, const QString& filter, PictureFormat format) {
    saveAs(caption, filter, [this, format](const QString& typed) {
        const auto [name, written] = pictureTarget(typed, format);
        saveResultChart(*chart_, name, written);
        return name;
    });
}

void ChartSaving::Gdzie1Click() {
    savePicture(QStringLiteral("Gdzie zapisac wykres ?"), kPictureTypes, PictureFormat::Wmf);
}

void ChartSaving::Gdzie2Click() {
    savePicture(QStringLiteral("Gdzie zapisac formularz / Enh ?"), kPictureTypes, PictureFormat::Emf);
}

void ChartSaving::SavePictureClick() {
    savePicture(
        QStringLiteral("Wykres jako PNG, SVG lub PDF"),
        QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf);;Windows Metafile (*.wmf);;Enhanced Metafile (*.emf)"),
        PictureFormat::Png);
}

void ChartSaving::SaveResultsClick() {
    saveAs(QStringLiteral("Wyniki obliczeń (CSV)"), QStringLiteral("CSV (*.csv);;All files (*)"),
           [this](const QString& name) {
               writeTextFile(name.toStdString(), [this](std::ostream& out) { writeResultsCsv(session_, out); });
               return name;
           });
}

void ChartSaving::SaveChartDataClick() {
    saveAs(QStringLiteral("Przebiegi z wykresu (CSV)"), QStringLiteral("CSV (*.csv);;All files (*)"),
           [this](const QString& name) {
               writeTextFile(name.toStdString(), [this](std::ostream& out) { writeChartCsv(session_, out); });
               return name;
           });
}

}  // namespace tgsim::window
