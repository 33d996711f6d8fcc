#include "cli_picture.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <memory>

#include "ui/chart/session_chart_picture.h"

namespace tgsim::cli {

void writeChartPicture(const Session& session, const std::string& fileName, bool legend) {
    std::unique_ptr<QApplication> application;
    int argc = 1;
    char name[] = "tgsim-cli";
    char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        // The runner never shows a window: the chart is drawn off screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt wants a private runtime folder and complains on stderr without one.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString runtime = QDir::temp().filePath(QStringLiteral("tgsim-runtime-%1").arg(getuid()));
            if (QDir().mkpath(runtime) &&
                QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
                qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        }
        application = std::make_unique<QApplication>(argc, argv);
    }
    // File names are bytes: decoded as the system decodes them, so that Qt writes the same name.
    chart::saveSessionChart(session, QFile::decodeName(fileName.c_str()), legend);
}

}  // namespace tgsim::cli
