#include "jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace tgsim {
namespace {

enum class Refusal { None, Cmyk, TooLarge, OutOfMemory };

// libjpeg reports errors through this manager; it jumps back to the decoder instead of
// exiting, and treats warnings (corrupt or missing data) as errors too, because a picture
// that decodes with gaps is not the picture we ship.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    Refusal refusal;
};

[[noreturn]] void failWithMessage(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void treatWarningsAsErrors(j_common_ptr info, int level) {
    if (level < 0) failWithMessage(info);  // level >= 0 are trace messages: ignore
}

[[noreturn]] void refuse(j_decompress_ptr info, Refusal refusal) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    manager->refusal = refusal;
    std::longjmp(manager->jump, 1);
}

// Everything between setjmp and the last libjpeg call lives in `info`, `errors` and `image`,
// which outlive this function, so a jump back here skips no destructor.
bool decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, QByteArrayView data, QImage& image) {
    if (setjmp(errors.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) refuse(&info, Refusal::Cmyk);
    if (qint64{info.image_width} * info.image_height > kMaxJpegPixels) refuse(&info, Refusal::TooLarge);
    info.out_color_space = JCS_RGB;  // grayscale is expanded to grey RGB
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) refuse(&info, Refusal::OutOfMemory);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

QString describe(const ErrorManager& errors) {
    switch (errors.refusal) {
    case Refusal::Cmyk: return QStringLiteral("CMYK JPEG pictures are not supported; save the picture in RGB");
    case Refusal::TooLarge: return QStringLiteral("the picture is larger than %1 pixels").arg(kMaxJpegPixels);
    case Refusal::OutOfMemory: return QStringLiteral("not enough memory for the picture");
    case Refusal::None: break;
    }
    return QString::fromLocal8Bit(errors.message);
}

}  // namespace

DecodedJpeg decodeJpeg(QByteArrayView data) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failWithMessage;
    errors.base.emit_message = treatWarningsAsErrors;
    QImage image;
    const bool decoded = decodeInto(info, errors, data, image);
    jpeg_destroy_decompress(&info);
    if (!decoded) return {QImage(), QStringLiteral("Cannot decode JPEG picture: ") + describe(errors)};
    return {image, QString()};
}

}  // namespace tgsim
