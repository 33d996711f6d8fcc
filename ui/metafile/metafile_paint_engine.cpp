#include "ui/metafile/metafile_paint_engine.h"

#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "ui/metafile/dashed_line.h"
#include "ui/metafile/gradient_bands.h"
#include "ui/metafile/paint_style.h"
#include "ui/metafile/record_writer.h"
#include "ui/metafile/text_run.h"

namespace tgsim::metafile {
namespace {

// Longest polyline record: keeps every record well inside the 16-bit counts of WMF.
constexpr std::size_t kMostPoints = 8000;

// Images are stored at most at this many image pixels per device pixel.
constexpr double kImageDetail = 2.0;

}  // namespace

MetafilePaintEngine::MetafilePaintEngine(MetafileFormat format, QSize picture)
    : QPaintEngine(QPaintEngine::AllFeatures),
      m_format(format),
      m_picture(picture),
      m_mapper(picture, LogicalMapper::unitsPerPixelFor(picture)) {}

MetafilePaintEngine::~MetafilePaintEngine() = default;

bool MetafilePaintEngine::begin(QPaintDevice*) {
    m_writer = makeRecordWriter(m_format, m_picture, m_mapper.unitsPerPixel());
    m_result.clear();
    m_transform = QTransform();
    m_pen = QPen();
    m_brush = QBrush();
    m_opacity = 1.0;
    m_clipEnabled = false;
    m_clip.reset();
    m_line.clear();
    return true;
}

bool MetafilePaintEngine::end() {
    if (!m_writer) return false;
    flushLine();
    m_result = m_writer->finish();
    m_writer.reset();
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState& changed) {
    flushLine();
    const DirtyFlags dirty = changed.state();
    if (dirty & DirtyTransform) m_transform = changed.transform();
    if (dirty & DirtyPen) m_pen = changed.pen();
    if (dirty & DirtyBrush) m_brush = changed.brush();
    if (dirty & DirtyOpacity) m_opacity = changed.opacity();
    if (dirty & DirtyClipEnabled) m_clipEnabled = changed.isClipEnabled();
    // A clip comes in the coordinates of the transform set with it.
    if (dirty & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(changed.clipRegion());
        applyClip(path, changed.clipOperation());
    }
    if (dirty & DirtyClipPath) applyClip(changed.clipPath(), changed.clipOperation());
}

void MetafilePaintEngine::applyClip(const QPainterPath& logical, Qt::ClipOperation operation) {
    if (operation == Qt::NoClip) {
        m_clip.reset();
        return;
    }
    const QPainterPath device = m_transform.map(logical);
    if (operation == Qt::IntersectClip && m_clip)
        m_clip = m_clip->intersected(device);
    else
        m_clip = device;
    m_clipEnabled = true;
}

// Writes the clipping in force; false when it leaves nothing to draw. A clip that is not a
// rectangle is approximated by its bounding rectangle.
bool MetafilePaintEngine::syncClip() {
    std::optional<QRect> clip;
    if (m_clipEnabled && m_clip) {
        clip = m_mapper.rect(m_clip->boundingRect());
        if (!clip) return false;
    }
    m_writer->setClipRect(clip);
    return true;
}

void MetafilePaintEngine::flushLine() {
    if (m_line.size() < 2 || !m_writer) {
        m_line.clear();
        return;
    }
    const QPolygonF line = m_line;
    m_line.clear();
    stroke({line});
}

void MetafilePaintEngine::stroke(const QList<QPolygonF>& device) {
    const std::optional<PenSpec> pen = penSpec(m_pen, m_transform, m_opacity, m_mapper.unitsPerPixel());
    if (!pen || !syncClip()) return;
    m_writer->usePen(*pen);
    const std::vector<double> pattern = dashPattern(m_pen, m_transform);
    QList<QPolygonF> lines;
    for (const QPolygonF& polygon : device)
        lines.append(dashedLine(polygon, pattern, m_pen.dashOffset() * penPixels(m_pen, m_transform)));
    for (const QPolygonF& polygon : lines) {
        for (const Polyline& piece : m_mapper.polyline(polygon)) {
            // Long lines go out in parts that share their end points.
            for (std::size_t first = 0; first + 1 < piece.size(); first += kMostPoints - 1) {
                const std::size_t last = std::min(piece.size(), first + kMostPoints);
                m_writer->polyline(Polyline(piece.begin() + static_cast<std::ptrdiff_t>(first),
                                            piece.begin() + static_cast<std::ptrdiff_t>(last)));
            }
        }
    }
}

void MetafilePaintEngine::fill(const QPainterPath& logicalShape, const QList<QPolygonF>& device, bool winding) {
    if (m_brush.style() == Qt::NoBrush || !syncClip()) return;
    m_writer->usePen(nullPen());
    if (isGradient(m_brush)) {
        m_writer->useWindingFill(false);
        for (const ColorBand& band : gradientBands(m_brush, logicalShape, m_transform, QSizeF(m_picture))) {
            const std::optional<Rgb> color = opaqueColor(band.color, m_opacity);
            if (!color) continue;
            m_writer->useBrush(BrushSpec{false, -1, *color});
            m_writer->polyPolygon(m_mapper.polygons(band.area.toFillPolygons()));
        }
        return;
    }
    const std::optional<BrushSpec> brush = brushSpec(m_brush, m_opacity);
    if (!brush) return;
    m_writer->useBrush(*brush);
    m_writer->useWindingFill(winding);
    m_writer->polyPolygon(m_mapper.polygons(device));
}

void MetafilePaintEngine::fillAndStroke(const QPainterPath& logicalShape, const QList<QPolygonF>& device) {
    const bool winding = logicalShape.fillRule() == Qt::WindingFill;
    const std::optional<PenSpec> pen = penSpec(m_pen, m_transform, m_opacity, m_mapper.unitsPerPixel());
    if (pen && !isGradient(m_brush)) {
        // One polygon record fills and outlines at once.
        const std::optional<BrushSpec> brush = brushSpec(m_brush, m_opacity);
        if (!syncClip()) return;
        m_writer->usePen(*pen);
        m_writer->useBrush(brush ? *brush : hollowBrush());
        m_writer->useWindingFill(winding);
        m_writer->polyPolygon(m_mapper.polygons(device));
        return;
    }
    fill(logicalShape, device, winding);
    if (pen) stroke(device);
}

void MetafilePaintEngine::drawPath(const QPainterPath& path) {
    flushLine();
    if (path.isEmpty()) return;
    const QList<QPolygonF> device = path.toSubpathPolygons(m_transform);
    if (m_brush.style() == Qt::NoBrush) {
        stroke(device);
        return;
    }
    const bool allClosed =
        std::all_of(device.begin(), device.end(), [](const QPolygonF& polygon) { return polygon.isClosed(); });
    if (allClosed) {
        fillAndStroke(path, device);
        return;
    }
    // Open subpaths are filled as if closed, but their outline stays open.
    fill(path, device, path.fillRule() == Qt::WindingFill);
    stroke(device);
}

void MetafilePaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    flushLine();
    if (count < 2) return;
    QPolygonF polygon(count);
    std::copy(points, points + count, polygon.begin());
    if (mode == PolylineMode) {
        stroke({m_transform.map(polygon)});
        return;
    }
    QPainterPath shape;
    shape.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    shape.addPolygon(polygon);
    shape.closeSubpath();
    fillAndStroke(shape, shape.toSubpathPolygons(m_transform));
}

void MetafilePaintEngine::drawLines(const QLineF* lines, int count) {
    // Qt draws a chart line segment by segment; joined, they make one polyline record.
    for (int i = 0; i < count; ++i) {
        const QPointF a = m_transform.map(lines[i].p1());
        const QPointF b = m_transform.map(lines[i].p2());
        if (m_line.isEmpty() || m_line.last() != a) {
            flushLine();
            m_line << a;
        }
        m_line << b;
    }
}

void MetafilePaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void MetafilePaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                    Qt::ImageConversionFlags) {
    flushLine();
    if (image.isNull() || !syncClip()) return;
    // A rotated image is placed in its bounding rectangle.
    const QRectF device = m_transform.mapRect(target);
    const std::optional<QRect> logical = m_mapper.rect(device);
    if (!logical || device.width() < 1 || device.height() < 1) return;
    QImage part = image.copy(source.toAlignedRect());
    const QSize most(static_cast<int>(std::ceil(device.width() * kImageDetail)),
                     static_cast<int>(std::ceil(device.height() * kImageDetail)));
    if (part.width() > most.width() || part.height() > most.height())
        part = part.scaled(most, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_writer->image(*logical, part);
}

void MetafilePaintEngine::drawTextItem(const QPointF& origin, const QTextItem& item) {
    flushLine();
    if (m_pen.style() == Qt::NoPen) return;
    const std::optional<Rgb> color = opaqueColor(representativeColor(m_pen.brush()), m_opacity);
    const std::optional<TextRun> run = textRun(origin, item, m_transform, m_mapper);
    if (!color || !run || !syncClip()) return;
    m_writer->useFont(run->font);
    m_writer->useTextColor(*color);
    m_writer->textOut(run->origin, run->text, run->advances, run->deviceBox);
}

}  // namespace tgsim::metafile
