#include "session_chart_picture.h"

#include "driver/session.h"
#include "result_chart.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::chart {

void saveSessionChart(const Session& session, const QString& fileName) {
    ResultChart chart(nullptr);
    chart.resize(kChartSize);
    chart.syncFromSession(session);
    saveChartPicture(chart, fileName);
}

}  // namespace tgsim::chart
