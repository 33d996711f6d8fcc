#pragma once
// Helpers shared by the WMF and EMF record writers.
#include <QByteArray>
#include <QSize>
#include <QString>

#include <uemf.h>

#include <memory>
#include <vector>

#include "ui/metafile/gdi_objects.h"

namespace tgsim::metafile {

class RecordWriter;

// Device pixels are taken at the usual screen resolution, so a picture keeps its size in pixels.
inline constexpr int kPixelsPerInch = 96;

// Text for 8-bit records: one byte per UTF-16 unit, '?' for what Latin-1 cannot hold.
inline QByteArray toLatin1(const QString& text) {
    QByteArray bytes(text.size(), '?');
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].unicode() <= 0xFF) bytes[i] = static_cast<char>(text[i].unicode());
    return bytes;
}

inline U_COLORREF colorref(Rgb c) { return colorref3_set(c.red, c.green, c.blue); }

inline U_POINT16 point16(QPoint p) {
    return U_POINT16{static_cast<std::int16_t>(p.x()), static_cast<std::int16_t>(p.y())};
}

inline std::vector<U_POINT16> points16(const Polyline& points) {
    std::vector<U_POINT16> out;
    out.reserve(points.size());
    for (QPoint p : points) out.push_back(point16(p));
    return out;
}

std::unique_ptr<RecordWriter> makeWmfWriter(QSize picture, int unitsPerPixel);
std::unique_ptr<RecordWriter> makeEmfWriter(QSize picture, int unitsPerPixel);

}  // namespace tgsim::metafile
