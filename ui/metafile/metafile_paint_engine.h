#pragma once
// Turns Qt painting into Windows metafile records. The engine claims every feature, so that Qt
// hands over gradients, transparency and transformations instead of rasterising them; it maps
// each of them onto what a metafile can hold.
#include <QByteArray>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>

#include <memory>
#include <optional>

#include "ui/metafile/gdi_objects.h"
#include "ui/metafile/logical_mapper.h"

namespace tgsim::metafile {

class RecordWriter;

class MetafilePaintEngine final : public QPaintEngine {
public:
    MetafilePaintEngine(MetafileFormat format, QSize picture);
    ~MetafilePaintEngine() override;

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& changed) override;

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& origin, const QTextItem& item) override;
    Type type() const override { return QPaintEngine::User; }

    // The metafile of the last finished painting.
    const QByteArray& result() const { return m_result; }

private:
    // Fills and outlines, all in device pixels.
    void fill(const QPainterPath& logicalShape, const QList<QPolygonF>& device, bool winding);
    void stroke(const QList<QPolygonF>& device);
    void fillAndStroke(const QPainterPath& logicalShape, const QList<QPolygonF>& device);
    void flushLine();
    bool syncClip();
    void applyClip(const QPainterPath& logical, Qt::ClipOperation operation);

    MetafileFormat m_format;
    QSize m_picture;
    LogicalMapper m_mapper;
    std::unique_ptr<RecordWriter> m_writer;
    QByteArray m_result;

    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    double m_opacity = 1.0;
    bool m_clipEnabled = false;
    std::optional<QPainterPath> m_clip;  // device pixels
    QPolygonF m_line;                    // consecutive line segments, joined into one polyline (device pixels)
};

}  // namespace tgsim::metafile
