// The paint engine on its own: geometry that a metafile cannot hold as it is (coordinates far
// outside, very long lines, custom dashes, gradients, images, text outside Latin-1).
#include <gtest/gtest.h>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>
#include <limits>

#include "base/failure.h"
#include "metafile_playback.h"
#include "ui/metafile/dashed_line.h"
#include "ui/metafile/gradient_bands.h"
#include "ui/metafile/metafile_device.h"

namespace tgsim::testing {
namespace {

using metafile::MetafileDevice;
using metafile::MetafileFormat;

template <typename Paint>
QByteArray paint(MetafileFormat format, Paint&& draw, QSize size = QSize(400, 300)) {
    MetafileDevice device(size, format);
    QPainter painter(&device);
    draw(painter);
    painter.end();
    return device.data();
}

Playback play(MetafileFormat format, const QByteArray& file) {
    return format == MetafileFormat::Wmf ? playWmf(file) : playEmf(file);
}

constexpr MetafileFormat kBoth[] = {MetafileFormat::Wmf, MetafileFormat::Emf};

TEST(MetafileEngine, FarAwayAndVeryLongLinesStayValid) {
    for (const MetafileFormat format : kBoth) {
        const QByteArray file = paint(format, [](QPainter& p) {
            p.setPen(QPen(Qt::red, 1));
            p.drawLine(QPointF(-1e7, -1e7), QPointF(1e7, 1e7));  // crosses the picture
            // A diverged computation gives lines through infinity and not-a-number.
            const double inf = std::numeric_limits<double>::infinity();
            const double nan = std::numeric_limits<double>::quiet_NaN();
            p.setPen(QPen(Qt::green, 1));
            p.drawPolyline(QPolygonF{{10, 10}, {20, inf}, {30, nan}, {40, 40}, {50, 45}});
            p.setBrush(Qt::yellow);
            p.drawPolygon(QPolygonF{{10, 10}, {nan, 20}, {60, 70}, {10, 90}});
            QPolygonF wave;
            for (int i = 0; i < 20000; ++i) wave << QPointF(i * 0.02, 150 + 100 * std::sin(i * 0.01));
            p.setPen(QPen(Qt::blue, 1));
            p.drawPolyline(wave);
        });
        const Playback drawing = play(format, file);
        EXPECT_TRUE(drawing.errors.isEmpty()) << drawing.errors.join("; ").toStdString();
        std::size_t red = 0, blue = 0, blueRecords = 0;
        for (const Stroke& stroke : drawing.strokes) {
            if (stroke.pen.color == QColor(Qt::red)) red += stroke.points;
            if (stroke.pen.color == QColor(Qt::blue)) {
                blue += stroke.points;
                ++blueRecords;
                EXPECT_LE(stroke.points, 8000u);
            }
        }
        EXPECT_EQ(red, 2u);
        EXPECT_EQ(drawing.fills.size(), 1u);
        // Parts share their end points; repeated rounded points are dropped.
        EXPECT_GE(blueRecords, 2u);
        EXPECT_GT(blue, 10000u);
    }
}

TEST(MetafileEngine, CustomDashesAreDrawnDashByDash) {
    const QList<QPolygonF> dashes = metafile::dashedLine(QPolygonF{{0, 0}, {10, 0}, {20, 0}}, {4, 2});
    ASSERT_EQ(dashes.size(), 4);
    EXPECT_EQ(dashes[0], (QPolygonF{{0, 0}, {4, 0}}));
    EXPECT_EQ(dashes[1], (QPolygonF{{6, 0}, {10, 0}}));
    EXPECT_EQ(dashes[2], (QPolygonF{{12, 0}, {16, 0}}));
    EXPECT_EQ(dashes[3], (QPolygonF{{18, 0}, {20, 0}}));
    const QPolygonF line{{0, 0}, {5, 0}};
    EXPECT_EQ(metafile::dashedLine(line, {}), QList<QPolygonF>{line});
    EXPECT_EQ(metafile::dashedLine(line, {0, 0}), QList<QPolygonF>{line});

    const QByteArray file = paint(MetafileFormat::Emf, [](QPainter& p) {
        QPen pen(Qt::darkGreen, 2);
        pen.setDashPattern({3, 2});
        p.setPen(pen);
        p.drawLine(QPointF(0, 10), QPointF(100, 10));
    });
    int dashesDrawn = 0;
    for (const Stroke& stroke : playEmf(file).strokes)
        if (stroke.pen.color == QColor(Qt::darkGreen)) ++dashesDrawn;
    EXPECT_EQ(dashesDrawn, 10);  // 100 pixels in dashes of 6 and gaps of 4
}

TEST(MetafileEngine, GradientBandsCoverTheShapeOnce) {
    QLinearGradient gradient(QPointF(0, 0), QPointF(1, 1));
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, Qt::white);
    QPainterPath shape;
    shape.addEllipse(QRectF(10, 20, 300, 100));
    const std::vector<metafile::ColorBand> bands =
        metafile::gradientBands(QBrush(gradient), shape, QTransform(), QSizeF(400, 300));
    ASSERT_GE(bands.size(), 30u);
    QPainterPath covered;
    for (const metafile::ColorBand& band : bands) covered = covered.united(band.area);
    const QPainterPath outside = covered.subtracted(shape);
    const QPainterPath missed = shape.subtracted(covered);
    auto area = [](const QPainterPath& path) {
        const QRectF box = path.boundingRect();
        return path.isEmpty() ? 0.0 : box.width() * box.height();
    };
    EXPECT_LT(area(outside), 1.0);
    EXPECT_LT(area(missed), 1.0);
    // From dark to light; the ellipse misses the corners where the gradient is at its ends.
    EXPECT_LT(bands.front().color.lightness(), 60);
    EXPECT_GT(bands.back().color.lightness(), 195);
    for (std::size_t i = 1; i < bands.size(); ++i)
        EXPECT_GT(bands[i].color.lightness(), bands[i - 1].color.lightness());
}

TEST(MetafileEngine, ImagesBecomeBitmapRecords) {
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 255, 128));
    for (const MetafileFormat format : kBoth) {
        const QByteArray file = paint(format, [&](QPainter& p) {
            p.drawImage(QRectF(10, 10, 80, 60), image);
            p.drawPixmap(QPointF(100, 100), QPixmap::fromImage(image));
        });
        const Playback drawing = play(format, file);
        EXPECT_TRUE(drawing.errors.isEmpty()) << drawing.errors.join("; ").toStdString();
        EXPECT_EQ(drawing.images, 2u);
    }
}

TEST(MetafileEngine, TextOutsideLatin1KeepsOneAdvancePerCharacter) {
    const QString text = QStringLiteral("Przebiegów ±ąę");
    for (const MetafileFormat format : kBoth) {
        const QByteArray file = paint(format, [&](QPainter& p) {
            p.setPen(Qt::darkBlue);
            p.drawText(QPointF(20, 50), text);
        });
        const Playback drawing = play(format, file);
        ASSERT_EQ(drawing.texts.size(), 1u);
        const Text& drawn = drawing.texts.front();
        EXPECT_EQ(drawn.advances.size(), std::size_t(text.size()));
        EXPECT_EQ(drawn.color, QColor(Qt::darkBlue));
        // WMF text is 8-bit: what Latin-1 lacks becomes a question mark.
        EXPECT_EQ(drawn.text, format == MetafileFormat::Wmf ? QString("Przebiegów ±??") : text);
    }
}

TEST(MetafileEngine, SizesAMetafileCannotHoldAreRefused) {
    for (const QSize size : {QSize(0, 10), QSize(10, -1), QSize(20000, 10)})
        EXPECT_THROW(MetafileDevice(size, MetafileFormat::Wmf), Failure);
}

}  // namespace
}  // namespace tgsim::testing
