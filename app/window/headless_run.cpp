#include "headless_run.h"

#include <QApplication>
#include <functional>
#include <iostream>

#include "core/failure.h"
#include "driver/result_export.h"
#include "driver/text_file.h"
#include "ui/metafile/chart_picture.h"
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
    const auto save = [&status](const char* name, const std::function<void()>& write) {
        try {
            write();
            std::cout << name << '\n';
        } catch (const Failure& failure) {
            std::cerr << "tgsim: " << failure.what() << '\n';
            status = 1;
        }
    };
    save(kChartPicture, [&] { saveChartPicture(*form.Chart1(), QString::fromLatin1(kChartPicture)); });
    save(kResultsTable, [&] {
        writeTextFile(kResultsTable, [&](std::ostream& out) { writeResultsCsv(form.session(), out); });
    });
    return status;
}

}  // namespace tgsim::app
