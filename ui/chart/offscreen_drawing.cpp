#include "offscreen_drawing.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <memory>

#include "ui/chart/session_chart_picture.h"

namespace tgsim::chart {

std::unique_ptr<QApplication> applicationForDrawing() {
    if (QApplication::instance()) return nullptr;
    // The runner never shows a window: pictures are drawn off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder and complains on stderr without one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("tgsim-runtime-%1").arg(getuid()));
        if (QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    // The application keeps its arguments for its whole life.
    static int argc = 1;
    static char name[] = "tgsim-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

void writeChartPicture(const Session& session, const std::string& fileName, bool legend) {
    const std::unique_ptr<QApplication> application = applicationForDrawing();
    // File names are bytes: decoded as the system decodes them, so that Qt writes the same name.
    saveSessionChart(session, QFile::decodeName(fileName.c_str()), legend);
}

}  // namespace tgsim::chart
