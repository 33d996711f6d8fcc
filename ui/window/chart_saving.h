#pragma once
// The menu "Zapisz": the chart as a placeable Windows Metafile or an Enhanced Metafile under a
// name the user chooses (the item's extension added when none is typed), and beyond those the
// chart as PNG, SVG or PDF and the results of the last computation as CSV.
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

#include "ui/metafile/chart_picture.h"

#include "driver/session.h"

class QWidget;

namespace tgsim::chart {
class ResultChart;
}

namespace tgsim::window {

using chart::ResultChart;

class ChartSaving : public QObject {
    Q_OBJECT
public:
    // Asks for a file name: (caption, start folder or last name, filter) -> name, empty when
    // the user cancels.
    using AskFileName = std::function<QString(const QString&, const QString&, const QString&)>;

    ChartSaving(QWidget* window, ResultChart* chart, const Session& session);

    // Replaces the file dialog (tests answer for the user).
    void setAskFileName(AskFileName ask) { ask_ = std::move(ask); }
    // Where a failure's message goes (the window shows it in a message box).
    void setFailureReport(std::function<void(const QString&)> report) { report_ = std::move(report); }
    // The folder the dialog starts in: "d:\Moje doc" where such a folder exists, otherwise the
    // user's documents folder.
    static QString startFolder();
    // The file a picture chosen under `typed` by an item that writes `format` goes to, and its
    // format: a name with the extension of a format the chart can be saved in is written in
    // that format; a name with the extension of another picture type is refused (Failure);
    // any other name gets the item's extension added. A file never holds other than its
    // extension says.
    static std::pair<QString, PictureFormat> pictureTarget(const QString& typed, PictureFormat format);

public slots:
    void Gdzie1Click();         // WMF
    void Gdzie2Click();         // EMF
    void SavePictureClick();    // PNG, SVG or PDF by the extension
    void SaveResultsClick();    // result matrix, CSV
    void SaveChartDataClick();  // the chart's quantities, CSV

private:
    // Asks for a name (offering the last one chosen) and runs `save` with it; a failure goes
    // to the report. `save` returns the name it wrote under.
    void saveAs(const QString& caption, const QString& filter, const std::function<QString(const QString&)>& save);
    void savePicture(const QString& caption, const QString& filter, PictureFormat format);

    QWidget* window_;
    ResultChart* chart_;
    const Session& session_;
    QString lastName_;
    AskFileName ask_;
    std::function<void(const QString&)> report_;
};

}  // namespace tgsim::window
