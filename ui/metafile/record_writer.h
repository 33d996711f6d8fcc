#pragma once
// The common part of the two metafile writers: keeps the selected pen, brush, font, text colour
// and fill mode so that each is written only when it changes, and tracks the drawn bounds. The
// format-specific subclasses turn each operation into records.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>

#include "ui/metafile/gdi_objects.h"

namespace tgsim::metafile {

class RecordWriter {
public:
    // picture: the size in device pixels; unitsPerPixel: logical units per device pixel.
    RecordWriter(QSize picture, int unitsPerPixel);
    virtual ~RecordWriter() = default;
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void usePen(const PenSpec& pen);
    void useBrush(const BrushSpec& brush);
    void useFont(const FontSpec& font);
    void useTextColor(Rgb color);
    void useWindingFill(bool winding);

    void polyline(const Polyline& points);
    void polyPolygon(const std::vector<Polyline>& polygons);
    // advances: one per UTF-16 unit of text, in logical units along the baseline.
    void textOut(QPoint origin, const QString& text, const std::vector<std::int32_t>& advances, const QRect& deviceBox);
    // Drops any clipping, then clips to the rectangle (logical units) when there is one.
    void setClipRect(const std::optional<QRect>& clip);
    // target in logical units; image converted to a 24-bit DIB.
    void image(const QRect& target, const QImage& image);

    QByteArray finish();

    QSize picture() const { return m_picture; }
    int unitsPerPixel() const { return m_unitsPerPixel; }

protected:
    using Handle = std::uint32_t;

    virtual void writeHeader() = 0;
    // Transparent text background, text placed by its baseline, alternate filling.
    virtual void writeDrawingModes() = 0;
    virtual QByteArray writeTrailer(const QRect& drawnBounds) = 0;
    virtual Handle createPen(const PenSpec& pen) = 0;
    virtual Handle createBrush(const BrushSpec& brush) = 0;
    virtual Handle createFont(const FontSpec& font) = 0;
    virtual void selectObject(Handle handle) = 0;
    virtual void deleteObject(Handle handle) = 0;
    virtual void writeTextColor(Rgb color) = 0;
    virtual void writeFillMode(bool winding) = 0;
    virtual void writePolyline(const Polyline& points, const QRect& bounds) = 0;
    virtual void writePolyPolygon(const std::vector<Polyline>& polygons, const QRect& bounds) = 0;
    virtual void writeText(QPoint origin, const QString& text, const std::vector<std::int32_t>& advances,
                           const QRect& deviceBox) = 0;
    virtual void writeSaveState() = 0;
    virtual void writeRestoreState() = 0;
    virtual void writeIntersectClip(const QRect& rect) = 0;
    virtual void writeImage(const QRect& target, const QImage& rgb) = 0;

    // Appends one record made by libUEMF (malloc'ed) and frees it; size in bytes.
    void append(char* record, std::uint32_t size);
    const QByteArray& body() const { return m_body; }
    QByteArray& body() { return m_body; }
    std::uint32_t recordCount() const { return m_records; }
    std::uint32_t largestRecord() const { return m_largest; }

private:
    template <typename Style, typename Create>
    void use(std::optional<Style>& current, std::optional<Handle>& handle, const Style& wanted, Create create);
    void start();
    void reselectAfterRestore();
    void grow(const QRect& logicalBounds);

    QSize m_picture;
    int m_unitsPerPixel;
    QByteArray m_body;
    std::uint32_t m_records = 0;
    std::uint32_t m_largest = 0;
    bool m_started = false;

    std::optional<PenSpec> m_pen;
    std::optional<BrushSpec> m_brush;
    std::optional<FontSpec> m_font;
    std::optional<Handle> m_penHandle, m_brushHandle, m_fontHandle;
    std::optional<Rgb> m_textColor;
    bool m_winding = false;
    std::optional<QRect> m_clip;
    QRect m_drawn;  // device pixels
};

std::unique_ptr<RecordWriter> makeRecordWriter(MetafileFormat format, QSize picture, int unitsPerPixel);

// A 24-bit bottom-up DIB of the image, alpha composed over white: header then pixels.
struct DibBits {
    QByteArray header;  // BITMAPINFOHEADER
    QByteArray pixels;
};
DibBits toDib(const QImage& image);

}  // namespace tgsim::metafile
