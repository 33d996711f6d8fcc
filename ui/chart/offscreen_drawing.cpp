#include "offscreen_drawing.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <memory>
#include <optional>
#include <string_view>

#include "base/message_text.h"
#include "base/output_file.h"
#include "ui/chart/session_chart_picture.h"

namespace tgsim::chart {

std::unique_ptr<QApplication> applicationForDrawing() {
    if (QApplication::instance()) return nullptr;
    // The runner never shows a window: pictures are drawn off screen, whatever platform the
    // environment names (one that cannot start, such as xcb without a display, would end the
    // process before any picture is drawn).
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
    const std::optional<PictureFormat> format = pictureFormatForFileName(QFile::decodeName(fileName.c_str()));
    if (!format)
        throw Failure("Cannot tell the picture type of " + quotedForMessage(fileName, kWholeText) +
                      ": use .wmf, .emf, .png, .svg or .pdf");
    const QByteArray bytes = renderSessionChart(session, *format, legend);
    // File names are bytes: written under the very bytes given, as the other outputs are.
    writeOutputFile(fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace tgsim::chart
