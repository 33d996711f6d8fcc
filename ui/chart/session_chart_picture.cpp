#include "session_chart_picture.h"

#include "driver/session.h"
#include "result_chart.h"

namespace tgsim::chart {

namespace {

// Lets `draw` see the chart in the detail of the format; the chart goes back to the screen's
// detail however the drawing ends.
template <class Draw>
auto inDetailOf(ResultChart& chart, std::optional<PictureFormat> format, Draw draw) {
    struct DetailRestored {
        ResultChart& chart;
        LineDetail detail;
        ~DetailRestored() { chart.setLineDetail(detail); }
    } restored{chart, chart.lineDetail()};
    chart.hideReadout();  // the readout belongs to the mouse, not to the picture
    if (format && *format != PictureFormat::Png) chart.setLineDetail(kVectorDetail);
    return draw();
}

}  // namespace

void saveResultChart(ResultChart& chart, const QString& fileName, std::optional<PictureFormat> format) {
    const std::optional<PictureFormat> chosen = format ? format : pictureFormatForFileName(fileName);
    inDetailOf(chart, chosen, [&] {
        saveChartPicture(chart, fileName, format);
        return 0;
    });
}

QByteArray renderSessionChart(const Session& session, PictureFormat format, bool legend) {
    ResultChart chart(nullptr);
    chart.resize(kChartSize);
    chart.syncFromSession(session);
    chart.setLegendShown(legend);
    return inDetailOf(chart, format, [&] { return renderPicture(chart, format); });
}

}  // namespace tgsim::chart
