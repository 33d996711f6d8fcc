// The saved chart opened by readers that share no code with the writer: the picture must have
// the chart's size and show every line in its colour.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include "picture_readers.h"
#include "chart_fixture.h"

namespace tgsim::testing {
namespace {

constexpr QSize kChart(705, 489);
constexpr int kTolerance = 40;

QString writeTemporary(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
    return path;
}

// The plot area, a little inside, where only the lines and the grid are drawn.
QRect plotInterior(int scale) {
    const QRectF plot = savedChart().plotArea.adjusted(2, 2, -2, -2);
    return QRectF(plot.topLeft() * scale, plot.size() * scale).toAlignedRect();
}

// libwmf writes colours by their SVG names, so it shows only the named ones faithfully.
bool hasSvgName(const QColor& color) {
    const QStringList names = QColor::colorNames();
    return std::any_of(names.begin(), names.end(), [&](const QString& name) { return QColor(name) == color; });
}

void expectLinesInTheirColours(const QImage& picture, const std::string& reader, bool namedOnly = false) {
    for (const ChartLine& line : fixtureLines()) {
        if (namedOnly && !hasSvgName(line.color)) continue;
        const int pixels = countPixels(picture, line.color, plotInterior(kReaderScale), kTolerance);
        // Each line is hundreds of pixels long, three pixels wide at this scale.
        EXPECT_GE(pixels, 1000) << reader << ": too few pixels of " << line.color.name().toStdString();
    }
}

TEST(MetafileReaders, InkscapeShowsBothFormatsAtTheChartsSize) {
    if (!findReader("inkscape")) GTEST_SKIP() << "inkscape is not installed: Inkscape rendering not checked";
    QTemporaryDir dir;
    for (const auto& [name, bytes] :
         {std::pair{QString("chart.wmf"), savedChart().wmf}, std::pair{QString("chart.emf"), savedChart().emf}}) {
        const QString path = writeTemporary(dir, name, bytes);
        ASSERT_FALSE(path.isEmpty());
        const ReaderResult result = renderWithInkscape(path);
        ASSERT_FALSE(result.picture.isNull()) << result.problem.toStdString();
        EXPECT_NEAR(result.picture.width(), kChart.width() * kReaderScale, 2 * kReaderScale) << name.toStdString();
        EXPECT_NEAR(result.picture.height(), kChart.height() * kReaderScale, 2 * kReaderScale) << name.toStdString();
        expectLinesInTheirColours(result.picture, "inkscape " + name.toStdString());
    }
}

TEST(MetafileReaders, Wmf2SvgShowsTheWmfInTheChartsProportions) {
    if (!findReader("wmf2svg")) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed: libwmf rendering not checked";
    QTemporaryDir dir;
    const QString path = writeTemporary(dir, "chart.wmf", savedChart().wmf);
    const Wmf2SvgResult result = renderWithWmf2Svg(path, kChart);
    // libwmf sizes a picture in logical units, whatever the units per inch say.
    const int units = unitsPerPixel(savedChart().wmf);
    EXPECT_NEAR(result.natural.width(), kChart.width() * units, 2 * units);
    EXPECT_NEAR(result.natural.height(), kChart.height() * units, 2 * units);
    EXPECT_NEAR(result.fittedSize.width(), kChart.width(), 2);
    EXPECT_NEAR(result.fittedSize.height(), kChart.height(), 2);
    if (result.fitted.picture.isNull()) GTEST_SKIP() << result.fitted.problem.toStdString();
    expectLinesInTheirColours(result.fitted.picture, "wmf2svg", true);
}

}  // namespace
}  // namespace tgsim::testing
