#include "picture_readers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#ifdef TGSIM_TEST_HAVE_SVG
#include <QSvgRenderer>
#endif

#include <algorithm>
#include <cstdlib>

namespace tgsim::testing {
namespace {

constexpr int kReaderTimeoutMs = 120000;

// Runs a reader; the text of its failure, or nothing.
std::optional<QString> run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(kReaderTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return program + " did not finish";
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + " failed: " + QString::fromLocal8Bit(process.readAll()).left(400);
    return std::nullopt;
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QSize svgSize(const QString& svg) {
    const QRegularExpression size(R"re(<svg width="(\d+)" height="(\d+)")re");
    const auto match = size.match(svg);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

}  // namespace

std::optional<QString> findReader(const QString& program) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

ReaderResult renderWithInkscape(const QString& metafile) {
    const QString png = metafile + ".inkscape.png";
    QFile::remove(png);
    const QString dpi = QString::number(96 * kReaderScale);
    if (const auto failure = run(*findReader("inkscape"),
                                 {metafile, "--export-type=png", "--export-dpi=" + dpi, "--export-filename=" + png}))
        return {QImage(), *failure};
    // Inkscape reports success even when it wrote nothing.
    QImage picture(png);
    if (picture.isNull()) return {QImage(), "inkscape wrote no picture for " + metafile};
    return {picture.convertToFormat(QImage::Format_RGB32), QString()};
}

Wmf2SvgResult renderWithWmf2Svg(const QString& wmf, QSize fit) {
    Wmf2SvgResult result;
    const QString program = *findReader("wmf2svg");
    const QString natural = wmf + ".natural.svg";
    const QString fitted = wmf + ".fitted.svg";
    const QString large = QString::number(1 << 20);
    if (const auto failure = run(program, {"--maxwidth=" + large, "--maxheight=" + large, "-o", natural, wmf})) {
        result.fitted.problem = *failure;
        return result;
    }
    result.natural = svgSize(readText(natural));

    if (const auto failure = run(program, {"--maxwidth=" + QString::number(fit.width()),
                                           "--maxheight=" + QString::number(fit.height()), "-o", fitted, wmf})) {
        result.fitted.problem = *failure;
        return result;
    }
#ifdef TGSIM_TEST_HAVE_SVG
    QString svg = readText(fitted);
    result.fittedSize = svgSize(svg);
    // libwmf writes polylines without "fill:none", and SVG fills what it is not told to leave.
    svg.replace(QRegularExpression(R"re((<polyline[^>]*style="))re"), "\\1fill:none; ");
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid()) {
        result.fitted.problem = "wmf2svg wrote no readable SVG";
        return result;
    }
    QImage picture(renderer.defaultSize() * kReaderScale, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    result.fitted.picture = picture;
#else
    result.fitted.problem = "Qt SVG is not available to draw wmf2svg's picture";
#endif
    return result;
}

int countPixels(const QImage& picture, const QColor& color, const QRect& area, int tolerance) {
    int count = 0;
    const QRect inside = area.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (std::abs(qRed(pixel) - color.red()) <= tolerance &&
                std::abs(qGreen(pixel) - color.green()) <= tolerance &&
                std::abs(qBlue(pixel) - color.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

}  // namespace tgsim::testing
