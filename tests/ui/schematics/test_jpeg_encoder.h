#pragma once
// Encodes small test pictures with libjpeg in colour spaces the shipped pictures do not use.
#include <QByteArray>

#include <jpeglib.h>

namespace tgsim::testing {

// A width × height picture of a horizontal ramp in every component, encoded from
// `inputSpace` (JCS_GRAYSCALE, JCS_RGB or JCS_CMYK) with the library's default JPEG colour
// space for it; `progressive` writes a progressive instead of a baseline file.
QByteArray encodeTestJpeg(int width, int height, J_COLOR_SPACE inputSpace, bool progressive = false);

// Offset of the first start-of-frame marker's code byte (0xC0 for baseline), or -1.
qsizetype startOfFrameOffset(const QByteArray& jpeg);

}  // namespace tgsim::testing
