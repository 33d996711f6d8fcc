#include "cli_picture.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cctype>
#include <memory>
#include <ostream>

#include "core/failure.h"
#include "driver/session.h"
#include "ui/metafile/chart_picture.h"
#include "ui/window/result_chart.h"

namespace tgsim::cli {

bool isPictureFileName(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* known : {"wmf", "emf", "png", "svg", "pdf"})
        if (extension == known) return true;
    return false;
}

bool writeChartPicture(const Session& session, const std::string& fileName, std::ostream& err) {
    // The runner never shows a window: the chart is drawn off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder and complains on stderr without one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("tgsim-runtime-%1").arg(getuid()));
        if (QDir().mkpath(runtime) && QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    int argc = 1;
    char name[] = "tgsim-cli";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> application;
    if (!QApplication::instance()) application = std::make_unique<QApplication>(argc, argv);

    window::ResultChart chart(nullptr);
    chart.resize(705, 489);
    chart.syncFromSession(session);
    try {
        saveChartPicture(chart, QString::fromStdString(fileName));
    } catch (const Failure& failure) {
        err << failure.what() << '\n';
        return false;
    }
    return true;
}

}  // namespace tgsim::cli
