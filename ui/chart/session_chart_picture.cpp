#include "session_chart_picture.h"

#include "driver/session.h"
#include "result_chart.h"

namespace tgsim::chart {

void saveResultChart(ResultChart& chart, const QString& fileName, std::optional<PictureFormat> format) {
    const std::optional<PictureFormat> chosen = format ? format : pictureFormatForFileName(fileName);
    // The chart goes back to the screen's detail however the saving ends.
    struct DetailRestored {
        ResultChart& chart;
        LineDetail detail;
        ~DetailRestored() { chart.setLineDetail(detail); }
    } restored{chart, chart.lineDetail()};
    chart.hideReadout();  // the readout belongs to the mouse, not to the picture
    if (chosen && *chosen != PictureFormat::Png) chart.setLineDetail(kVectorDetail);
    saveChartPicture(chart, fileName, format);
}

void saveSessionChart(const Session& session, const QString& fileName, bool legend) {
    ResultChart chart(nullptr);
    chart.resize(kChartSize);
    chart.syncFromSession(session);
    chart.setLegendShown(legend);
    saveResultChart(chart, fileName);
}

}  // namespace tgsim::chart
