#pragma once
// Helpers shared by the WMF and EMF record writers.
#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

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

std::unique_ptr<RecordWriter> makeWmfWriter(QSize picture, int unitsPerPixel);
std::unique_ptr<RecordWriter> makeEmfWriter(QSize picture, int unitsPerPixel);

}  // namespace tgsim::metafile
