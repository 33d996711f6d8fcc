#pragma once
// Decodes JPEG data with libjpeg into a QImage. Baseline and progressive colour and grayscale
// pictures are read; CMYK and YCCK pictures are refused. Damaged data, including a truncated
// file, never ends the program: the result carries libjpeg's own description instead.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace tgsim {

struct DecodedJpeg {
    QImage image;   // RGB888, null when decoding failed
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

DecodedJpeg decodeJpeg(QByteArrayView data);

// Pictures beyond this many pixels are refused before any memory is reserved for them.
inline constexpr qint64 kMaxJpegPixels = qint64{64} * 1024 * 1024;

}  // namespace tgsim
