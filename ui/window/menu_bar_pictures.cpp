// Each picture is a few strokes in a 16 × 16 square, painted once per pixel ratio. Lines of
// odd width lie on half units and shapes on whole ones, so they fall on pixel rows at ratio 1.
#include "menu_bar_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <utility>

namespace tgsim::window {
namespace {

using Painting = void (*)(QPainter&);

QPen stroke(QColor colour, qreal width) { return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// "Generator": the machine's circuit symbol, a circle around one period of a sine.
void paintGenerator(QPainter& p) {
    p.setPen(stroke(QColor(24, 70, 150), 1.5));
    p.setBrush(QColor(220, 232, 251));
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    QPainterPath sine;
    for (int i = 0; i <= 16; ++i) {
        const qreal x = 4.0 + 8.0 * i / 16;
        const qreal y = 8.0 - 2.6 * std::sin(2 * M_PI * i / 16);
        if (i == 0)
            sine.moveTo(x, y);
        else
            sine.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(sine);
}

// "War. początkowe": a course over time starting from a marked value on the value axis.
void paintInitialConditions(QPainter& p) {
    p.setPen(stroke(QColor(70, 70, 70), 1));
    p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 14.5));
    p.drawLine(QPointF(2.5, 14.5), QPointF(15, 14.5));
    QPainterPath course(QPointF(3, 5));
    course.cubicTo(QPointF(7, 5), QPointF(8, 11), QPointF(15, 11));
    p.setPen(stroke(QColor(24, 70, 150), 1.5));
    p.drawPath(course);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QPointF(3, 5), 2.5, 2.5);
}

// "Stany Pracy": a lightning bolt for the disturbances the scenarios apply.
void paintScenarios(QPainter& p) {
    p.setPen(stroke(QColor(125, 85, 0), 1));
    p.setBrush(QColor(250, 200, 20));
    p.drawPolygon(QPolygonF{{10, 0.5}, {3, 9}, {7.5, 9}, {5.5, 15.5}, {13, 6.5}, {8.5, 6.5}, {11.5, 0.5}});
}

// "Model Gen.": the machine's cross-section, a salient two-pole rotor inside the stator ring.
void paintMachineModel(QPainter& p) {
    p.setPen(stroke(QColor(90, 90, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    QPainterPath rotor;
    rotor.addEllipse(QPointF(8, 8), 4.5, 4.5);
    QPainterPath band;
    band.addRect(QRectF(2, 5.5, 12, 5));
    p.setPen(stroke(QColor(120, 60, 20), 1));
    p.setBrush(QColor(205, 120, 50));
    p.drawPath(rotor.intersected(band));
}

// "Stab. Syst. PSS": a swing that the stabilizer damps out to a steady line.
void paintStabilizer(QPainter& p) {
    p.setPen(stroke(QColor(160, 160, 160), 1));
    p.drawLine(QPointF(1, 8.5), QPointF(15, 8.5));
    QPainterPath swing;
    for (int i = 0; i <= 56; ++i) {
        const qreal t = i / 56.0;
        const qreal y = 8.5 - 6.5 * std::exp(-3.2 * t) * std::cos(2 * M_PI * 2.5 * t);
        if (i == 0)
            swing.moveTo(1 + 14 * t, y);
        else
            swing.lineTo(1 + 14 * t, y);
    }
    p.setPen(stroke(QColor(30, 125, 50), 1.5));
    p.drawPath(swing);
}

// "Obliczenia": a pocket calculator with its display and keys.
void paintComputation(QPainter& p) {
    p.setPen(stroke(QColor(60, 60, 60), 1));
    p.setBrush(QColor(225, 225, 225));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setBrush(QColor(170, 215, 170));
    p.drawRect(QRectF(4.5, 2.5, 7, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) p.drawRect(QRectF(4 + 3 * column, 7 + 2.7 * row, 2, 1.7));
}

// "Koniec": the switch-off sign, a broken ring with a bar through its gap.
void paintExit(QPainter& p) {
    p.setPen(stroke(QColor(200, 35, 35), 2));
    p.setBrush(Qt::NoBrush);
    // Qt counts angles anticlockwise from three o'clock in sixteenths of a degree.
    p.drawArc(QRectF(2, 3, 12, 12), 125 * 16, (360 - 70) * 16);
    p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
}

constexpr std::pair<const char16_t*, Painting> kPictures[] = {
    {u"Generator", paintGenerator},
    {u"War. początkowe", paintInitialConditions},
    {u"Stany Pracy", paintScenarios},
    {u"Model Gen.", paintMachineModel},
    {u"Stab. Syst. PSS", paintStabilizer},
    {u"Obliczenia", paintComputation},
    {u"Koniec", paintExit},
};

QPixmap paintAtRatio(Painting paint, int ratio) {
    QImage image(kMenuBarPictureSize * ratio, kMenuBarPictureSize * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

}  // namespace

QIcon menuBarPicture(const QString& topLevelCaption) {
    for (const auto& [caption, paint] : kPictures) {
        if (topLevelCaption != QStringView(caption)) continue;
        QIcon picture;
        picture.addPixmap(paintAtRatio(paint, 1));
        picture.addPixmap(paintAtRatio(paint, 2));
        return picture;
    }
    return {};
}

}  // namespace tgsim::window
