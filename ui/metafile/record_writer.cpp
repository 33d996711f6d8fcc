#include "ui/metafile/record_writer.h"

#include <QPainter>

#include <uemf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tgsim::metafile {

RecordWriter::RecordWriter(QSize picture, int unitsPerPixel) : m_picture(picture), m_unitsPerPixel(unitsPerPixel) {}

void RecordWriter::append(char* record, std::uint32_t size) {
    // libUEMF returns null when it cannot allocate; a lost record would corrupt the counts.
    if (!record) throw std::bad_alloc();
    m_body.append(record, static_cast<qsizetype>(size));
    std::free(record);
    ++m_records;
    m_largest = std::max(m_largest, size);
}

template <typename Style, typename Create>
void RecordWriter::use(std::optional<Style>& current, std::optional<Handle>& handle, const Style& wanted,
                       Create create) {
    start();
    if (current && *current == wanted) return;
    const Handle fresh = create(wanted);
    selectObject(fresh);
    // The old object is no longer selected, so it may go; this keeps the object table small.
    if (handle) deleteObject(*handle);
    current = wanted;
    handle = fresh;
}

void RecordWriter::start() {
    if (m_started) return;
    m_started = true;
    writeHeader();
    writeDrawingModes();
    // Every clipping change returns to this saved state, which has no clipping and none of
    // our objects selected.
    writeSaveState();
}

void RecordWriter::usePen(const PenSpec& pen) {
    use(m_pen, m_penHandle, pen, [this](const PenSpec& p) { return createPen(p); });
}

void RecordWriter::useBrush(const BrushSpec& brush) {
    use(m_brush, m_brushHandle, brush, [this](const BrushSpec& b) { return createBrush(b); });
}

void RecordWriter::useFont(const FontSpec& font) {
    use(m_font, m_fontHandle, font, [this](const FontSpec& f) { return createFont(f); });
}

void RecordWriter::useTextColor(Rgb color) {
    start();
    if (m_textColor == color) return;
    writeTextColor(color);
    m_textColor = color;
}

void RecordWriter::useWindingFill(bool winding) {
    start();
    if (m_winding == winding) return;
    writeFillMode(winding);
    m_winding = winding;
}

static QRect boundsOf(const Polyline& points) {
    const auto [minX, maxX] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    const auto [minY, maxY] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    return QRect(QPoint(minX->x(), minY->y()), QPoint(maxX->x(), maxY->y()));
}

void RecordWriter::grow(const QRect& logical) {
    const int u = m_unitsPerPixel;
    const int halfPen = m_pen ? m_pen->width / 2 : 0;
    const QRect device(QPoint((logical.left() - halfPen) / u, (logical.top() - halfPen) / u),
                       QPoint((logical.right() + halfPen) / u, (logical.bottom() + halfPen) / u));
    QRect visible = device.intersected(QRect(QPoint(0, 0), m_picture));
    if (m_clip) visible = visible.intersected(QRect(m_clip->topLeft() / u, m_clip->bottomRight() / u));
    if (!visible.isEmpty()) m_drawn = m_drawn.united(visible);
}

void RecordWriter::polyline(const Polyline& points) {
    if (points.size() < 2) return;
    start();
    const QRect bounds = boundsOf(points);
    grow(bounds);
    writePolyline(points, bounds);
}

void RecordWriter::polyPolygon(const std::vector<Polyline>& polygons) {
    std::vector<Polyline> kept;
    for (const Polyline& polygon : polygons)
        if (polygon.size() >= 3) kept.push_back(polygon);
    if (kept.empty()) return;
    start();
    QRect bounds;
    for (const Polyline& polygon : kept) bounds = bounds.united(boundsOf(polygon));
    grow(bounds);
    writePolyPolygon(kept, bounds);
}

void RecordWriter::textOut(QPoint origin, const QString& text, const std::vector<std::int32_t>& advances,
                           const QRect& deviceBox) {
    if (text.isEmpty()) return;
    start();
    const int u = m_unitsPerPixel;
    grow(QRect(deviceBox.topLeft() * u, deviceBox.bottomRight() * u));
    writeText(origin, text, advances, deviceBox);
}

void RecordWriter::setClipRect(const std::optional<QRect>& clip) {
    if (clip == m_clip) return;
    start();
    // The state saved right after the header has no clipping and no selected objects of ours.
    writeRestoreState();
    writeSaveState();
    reselectAfterRestore();
    if (clip) writeIntersectClip(*clip);
    m_clip = clip;
}

void RecordWriter::reselectAfterRestore() {
    // Some readers forget the modes on restoring a saved state: they are set again.
    writeDrawingModes();
    m_winding = false;
    if (m_penHandle) selectObject(*m_penHandle);
    if (m_brushHandle) selectObject(*m_brushHandle);
    if (m_fontHandle) selectObject(*m_fontHandle);
    if (m_textColor) writeTextColor(*m_textColor);
}

void RecordWriter::image(const QRect& target, const QImage& picture) {
    if (picture.isNull() || target.isEmpty()) return;
    start();
    grow(target);
    writeImage(target, picture);
}

QByteArray RecordWriter::finish() {
    start();
    writeRestoreState();
    return writeTrailer(m_drawn);
}

DibBits toDib(const QImage& image) {
    const QImage rgb = [&] {
        QImage flat(image.size(), QImage::Format_RGB888);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        return flat;
    }();
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    DibBits dib;
    dib.pixels = QByteArray(qsizetype(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        const uchar* source = rgb.constScanLine(height - 1 - y);  // DIB rows run bottom-up
        char* row = dib.pixels.data() + qsizetype(stride) * y;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(source[3 * x + 2]);
            row[3 * x + 1] = static_cast<char>(source[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(source[3 * x]);
        }
    }
    const U_BITMAPINFOHEADER header = bitmapinfoheader_set(
        width, height, 1, U_BCBM_COLOR24, U_BI_RGB, static_cast<std::uint32_t>(dib.pixels.size()), 3780, 3780, 0, 0);
    dib.header = QByteArray(reinterpret_cast<const char*>(&header), sizeof header);
    return dib;
}

}  // namespace tgsim::metafile
