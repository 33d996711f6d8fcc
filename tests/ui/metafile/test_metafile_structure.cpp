// The saved chart read back field by field: headers, record sizes and counts, object use,
// and the drawing that the records describe (pens, text with its advances, clipping, bands).
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <numeric>

#include "metafile_playback.h"
#include "chart_fixture.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::testing {
namespace {

constexpr int kWidth = 705, kHeight = 489;

std::uint32_t largestRecord(const std::vector<Record>& records) {
    std::uint32_t largest = 0;
    for (const Record& r : records) largest = std::max(largest, r.size);
    return largest;
}

std::size_t recordBytes(const std::vector<Record>& records) {
    return std::accumulate(records.begin(), records.end(), std::size_t{0},
                           [](std::size_t sum, const Record& r) { return sum + r.size; });
}

TEST(WmfStructure, HeadersDescribeThePictureAndTheRecords) {
    const QByteArray& file = savedChart().wmf;
    const WmfStructure wmf = readWmf(file);
    ASSERT_TRUE(wmf.errors.isEmpty()) << wmf.errors.join("; ").toStdString();

    EXPECT_EQ(wmf.key, 0x9AC6CDD7u);
    EXPECT_EQ(wmf.handle, 0);
    EXPECT_EQ(wmf.checksum, wmf.computedChecksum);
    ASSERT_GT(wmf.inch, 0);
    ASSERT_EQ(wmf.inch % 96, 0);
    const int units = wmf.inch / 96;
    EXPECT_EQ(wmf.destination.topLeft(), QPoint(0, 0));
    EXPECT_EQ(wmf.destination.width(), kWidth * units);
    EXPECT_EQ(wmf.destination.height(), kHeight * units);

    EXPECT_TRUE(wmf.fileType == 1 || wmf.fileType == 2);
    EXPECT_EQ(wmf.headerWords, 9);
    EXPECT_EQ(wmf.version, 0x0300);
    EXPECT_EQ(std::size_t(wmf.sizeWords) * 2, std::size_t(file.size()) - 22);
    EXPECT_EQ(22 + 18 + recordBytes(wmf.records), std::size_t(file.size()));
    EXPECT_EQ(wmf.largestRecordWords * 2, largestRecord(wmf.records));
    ASSERT_FALSE(wmf.records.empty());
    EXPECT_EQ(wmf.records.back().type, 0x0000);
    EXPECT_EQ(wmf.records.back().size, 6u);

    const Playback drawing = playWmf(file);
    EXPECT_TRUE(drawing.errors.isEmpty()) << drawing.errors.join("; ").toStdString();
    EXPECT_GT(wmf.objects, drawing.highestObject);
}

TEST(EmfStructure, HeaderCountsBoundsAndFrame) {
    const QByteArray& file = savedChart().emf;
    const EmfStructure emf = readEmf(file);
    ASSERT_TRUE(emf.errors.isEmpty()) << emf.errors.join("; ").toStdString();
    ASSERT_FALSE(emf.records.empty());

    EXPECT_EQ(emf.records.front().type, 1u);
    EXPECT_EQ(emf.signature, 0x464D4520u);
    EXPECT_EQ(emf.version, 0x00010000u);
    EXPECT_EQ(emf.bytes, std::uint32_t(file.size()));
    EXPECT_EQ(emf.recordCount, emf.records.size());
    EXPECT_EQ(recordBytes(emf.records), std::size_t(file.size()));
    EXPECT_EQ(emf.records.back().type, 14u);
    EXPECT_EQ(emf.records.back().size, 20u);

    // The picture is drawn on a white sheet, so what is drawn covers the whole rectangle.
    EXPECT_EQ(emf.bounds, QRect(0, 0, kWidth, kHeight));
    EXPECT_EQ(emf.frame.topLeft(), QPoint(0, 0));
    EXPECT_NEAR(emf.frame.right(), kWidth * 2540.0 / 96, 1.0);
    EXPECT_NEAR(emf.frame.bottom(), kHeight * 2540.0 / 96, 1.0);
    // The reference device has 96 pixels per inch.
    EXPECT_NEAR(emf.device.x() * 25.4 / emf.millimetres.x(), 96.0, 0.01);
    EXPECT_NEAR(emf.device.y() * 25.4 / emf.millimetres.y(), 96.0, 0.01);

    const Playback drawing = playEmf(file);
    EXPECT_TRUE(drawing.errors.isEmpty()) << drawing.errors.join("; ").toStdString();
    EXPECT_GT(emf.handles, drawing.highestObject);
}

struct Format {
    const char* name;
    Playback (*play)(const QByteArray&);
    const QByteArray& (*file)();
};

const Format kFormats[] = {
    {"WMF", playWmf, []() -> const QByteArray& { return savedChart().wmf; }},
    {"EMF", playEmf, []() -> const QByteArray& { return savedChart().emf; }},
};

TEST(MetafileDrawing, EachLineKeepsItsColourWidthDashStyleAndClipping) {
    const int units = unitsPerPixel(savedChart().wmf);
    const QRectF plot = savedChart().plotArea;
    for (const Format& format : kFormats) {
        const Playback drawing = format.play(format.file());
        for (const ChartLine& line : fixtureLines()) {
            std::vector<const Stroke*> strokes;
            for (const Stroke& stroke : drawing.strokes)
                if (stroke.pen.color == line.color && stroke.points > 100) strokes.push_back(&stroke);
            ASSERT_FALSE(strokes.empty()) << format.name << " " << line.color.name().toStdString();
            // Qt draws a line segment by segment; the file keeps it as one polyline.
            EXPECT_LE(strokes.size(), 2u) << format.name << " " << line.color.name().toStdString();
            const Stroke& stroke = *strokes.front();
            const std::uint32_t expectedStyle = line.style == Qt::DashLine      ? 1
                                                : line.style == Qt::DotLine     ? 2
                                                : line.style == Qt::DashDotLine ? 3
                                                                                : 0;
            EXPECT_EQ(stroke.pen.style & 0xF, expectedStyle) << format.name;
            EXPECT_EQ(stroke.pen.width, units) << format.name;
            ASSERT_TRUE(stroke.clip.has_value()) << format.name;
            const QRectF clip(stroke.clip->x() / double(units), stroke.clip->y() / double(units),
                              stroke.clip->width() / double(units), stroke.clip->height() / double(units));
            EXPECT_TRUE(clip.adjusted(-2, -2, 2, 2).contains(plot)) << format.name;
            EXPECT_TRUE(plot.adjusted(-2, -2, 2, 2).contains(clip)) << format.name;
        }
    }
}

TEST(MetafileDrawing, AxisTitlesCarryFontRotationAndQtAdvances) {
    const int units = unitsPerPixel(savedChart().wmf);
    QFont font("Times New Roman");
    font.setPixelSize(16);
    const QFontMetricsF metrics(font);
    for (const Format& format : kFormats) {
        const Playback drawing = format.play(format.file());
        for (const auto& [title, escapement] :
             {std::pair{QString("time [s]"), 0}, std::pair{QString("Relative values"), 900}}) {
            const auto found = std::find_if(drawing.texts.begin(), drawing.texts.end(),
                                            [&](const Text& t) { return t.text == title; });
            ASSERT_NE(found, drawing.texts.end()) << format.name << " " << title.toStdString();
            EXPECT_EQ(found->face, "Times New Roman");
            EXPECT_EQ(found->fontHeight, -16 * units);
            EXPECT_EQ(found->escapement, escapement);
            EXPECT_EQ(found->color, QColor(Qt::black));
            ASSERT_EQ(found->advances.size(), std::size_t(title.size()));
            const int total = std::accumulate(found->advances.begin(), found->advances.end(), 0);
            EXPECT_NEAR(total, metrics.horizontalAdvance(title) * units, units)
                << format.name << " " << title.toStdString();
            EXPECT_NEAR(found->advances[0], metrics.horizontalAdvance(title.left(1)) * units, units);
        }
    }
}

TEST(MetafileDrawing, GradientBackgroundRunsFromYellowToWhiteInBands) {
    for (const Format& format : kFormats) {
        const Playback drawing = format.play(format.file());
        std::vector<int> blues;
        for (const QColor& fill : drawing.fills)
            if (fill.red() == 255 && fill.green() == 255 && fill.blue() >= 128) blues.push_back(fill.blue());
        ASSERT_GE(blues.size(), 20u) << format.name;
        // The gradient starts white at the right edge and ends light yellow at the left edge;
        // its bands come in that order.
        EXPECT_GE(blues.front(), 250) << format.name;
        EXPECT_LE(blues.back(), 132) << format.name;
        EXPECT_TRUE(std::is_sorted(blues.rbegin(), blues.rend())) << format.name;
    }
}

TEST(MetafileDrawing, EmptyChartKeepsFrameAxesAndTitles) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    for (const PictureFormat format : {PictureFormat::Wmf, PictureFormat::Emf}) {
        const QByteArray file = renderPicture(*view, format);
        const Playback drawing = format == PictureFormat::Wmf ? playWmf(file) : playEmf(file);
        EXPECT_TRUE(drawing.errors.isEmpty()) << drawing.errors.join("; ").toStdString();
        QStringList texts;
        for (const Text& text : drawing.texts) texts << text.text;
        EXPECT_TRUE(texts.contains("time [s]"));
        EXPECT_TRUE(texts.contains("Relative values"));
        EXPECT_FALSE(drawing.strokes.empty());  // axes and grid
        for (const Stroke& stroke : drawing.strokes)
            EXPECT_NE(stroke.pen.color, QColor(255, 0, 0)) << "a line in the empty chart";
    }
}

}  // namespace
}  // namespace tgsim::testing
