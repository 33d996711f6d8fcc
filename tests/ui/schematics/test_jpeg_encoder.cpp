#include "test_jpeg_encoder.h"

#include <cstdlib>
#include <vector>

namespace tgsim::testing {

QByteArray encodeTestJpeg(int width, int height, J_COLOR_SPACE inputSpace, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    const int components = inputSpace == JCS_GRAYSCALE ? 1 : inputSpace == JCS_CMYK ? 4 : 3;
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = inputSpace;
    jpeg_set_defaults(&info);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < components; ++c)
            row[static_cast<size_t>(x * components + c)] = static_cast<JSAMPLE>(x * 255 / width);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

qsizetype startOfFrameOffset(const QByteArray& jpeg) {
    // Walk the marker segments from SOI; every segment before the frame carries a length.
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
        const auto code = static_cast<unsigned char>(jpeg[at + 1]);
        if (code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC) return at + 1;
        const int length = (static_cast<unsigned char>(jpeg[at + 2]) << 8) | static_cast<unsigned char>(jpeg[at + 3]);
        at += 2 + length;
    }
    return -1;
}

}  // namespace tgsim::testing
