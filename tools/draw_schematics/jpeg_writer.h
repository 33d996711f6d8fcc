#pragma once
// Writes a picture as a baseline (sequential, Huffman-coded, 8-bit) JPEG file with libjpeg.
#include <QImage>
#include <QString>

namespace tgsim::tools {

// Returns an empty string on success, otherwise a message naming the file and the cause.
QString writeBaselineJpeg(const QImage& picture, const QString& path, int quality);

}  // namespace tgsim::tools
