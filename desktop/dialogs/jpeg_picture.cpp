#include "jpeg_picture.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace vorna {

namespace {

// Pictures beyond this are not explanatory pictures but a corrupt or hostile header.
constexpr JDIMENSION kLargestSide = 8000;
// Files beyond this size are not read at all.
constexpr qint64 kLargestFileBytes = 32 * 1024 * 1024;

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back
// to the decoder, which then gives up on the picture.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void leaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

// Decodes into a heap image. Between setjmp and longjmp only the volatile pointer changes,
// so it is still valid when an error jumps back; nothing with a destructor lives here.
QImage *decodeToHeap(const unsigned char *data, unsigned long size)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    QImage *volatile image = nullptr;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveOnError;
    errors.base.output_message = ignoreMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        delete image;
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > kLargestSide ||
        info.output_height > kLargestSide || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        delete image;
        return nullptr;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // A warning means the data ran out or was damaged: libjpeg filled the gap with grey.
    const bool damaged = errors.base.num_warnings > 0;
    jpeg_destroy_decompress(&info);
    if (damaged) {
        delete image;
        return nullptr;
    }
    return image;
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QImage *decoded = decodeToHeap(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                   static_cast<unsigned long>(bytes.size()));
    if (!decoded)
        return {};
    QImage image = std::move(*decoded);
    delete decoded;
    return image;
}

QImage loadJpegFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFileBytes)
        return {};
    return decodeJpeg(file.readAll());
}

} // namespace vorna
