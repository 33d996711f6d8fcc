#include "headless_run.h"

#include <QApplication>
#include <QPixmap>
#include <fstream>
#include <iostream>

#include "driver/result_export.h"
#include "ui/window/result_chart.h"
#include "ui/window/tform1.h"

namespace tgsim::app {

int runHeadless(window::TForm1& form) {
    bool failed = false;
    form.setFailureReport([&failed](const QString& message) {
        std::cerr << "tgsim: " << message.toStdString() << '\n';
        failed = true;
    });
    form.show();
    form.runHandler("O1Click");
    if (failed) return 1;
    QApplication::processEvents();

    int status = 0;
    if (form.Chart1()->grab().save(QString::fromLatin1(kChartPicture), "PNG")) {
        std::cout << kChartPicture << '\n';
    } else {
        std::cerr << "tgsim: cannot write " << kChartPicture << '\n';
        status = 1;
    }
    std::ofstream table(kResultsTable, std::ios::binary | std::ios::trunc);
    if (table) writeResultsCsv(form.session(), table);
    if (table) table.close();
    if (table) {
        std::cout << kResultsTable << '\n';
    } else {
        std::cerr << "tgsim: cannot write " << kResultsTable << '\n';
        status = 1;
    }
    return status;
}

}  // namespace tgsim::app
