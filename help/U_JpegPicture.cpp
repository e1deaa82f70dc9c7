#include "help/U_JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {
// Format_RGB32 in memory order; libjpeg-turbo fills the alpha byte with 0xFF.
constexpr J_COLOR_SPACE kOutSpace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct TJpegError
{
    jpeg_error_mgr manager; // first: libjpeg hands a pointer to it back to the handlers
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

struct TDecoder
{
    jpeg_decompress_struct info;
    TJpegError error;
};

// libjpeg's own handler ends the process; this one goes back to the decoding step instead.
[[noreturn]] void Fail(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    error->manager.format_message(info, error->message);
    std::longjmp(error->escape, 1);
}

// Corrupt data, a cut file among others, is only warned about by default and decoded as grey:
// here it fails the picture. Trace messages are dropped.
void Message(j_common_ptr info, int level)
{
    if (level < 0)
        Fail(info);
}

// The steps below keep only plain data in their frames, so that the jump out of libjpeg skips
// no destructor.
bool Start(TDecoder& decoder, const unsigned char* data, unsigned long size)
{
    if (setjmp(decoder.error.escape))
        return false;
    jpeg_create_decompress(&decoder.info);
    jpeg_mem_src(&decoder.info, data, size);
    jpeg_read_header(&decoder.info, TRUE);
    decoder.info.out_color_space = kOutSpace;
    jpeg_start_decompress(&decoder.info);
    return true;
}

bool ReadLines(TDecoder& decoder, JSAMPROW* rows)
{
    if (setjmp(decoder.error.escape))
        return false;
    jpeg_decompress_struct& info = decoder.info;
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, rows + info.output_scanline,
                            info.output_height - info.output_scanline);
    jpeg_finish_decompress(&info);
    return true;
}

QImage Failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return {};
}
} // namespace

QImage TJpegPicture::Decode(const QByteArray& data, QString* error)
{
    TDecoder decoder{};
    decoder.info.err = jpeg_std_error(&decoder.error.manager);
    decoder.error.manager.error_exit = Fail;
    decoder.error.manager.emit_message = Message;
    // Destroyed on every way out, a failed creation included (it leaves no memory to free).
    struct TRelease
    {
        jpeg_decompress_struct& info;
        ~TRelease() { jpeg_destroy_decompress(&info); }
    } release{decoder.info};

    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (!Start(decoder, bytes, static_cast<unsigned long>(data.size())))
        return Failed(error, QString::fromLocal8Bit(decoder.error.message));
    const JDIMENSION width = decoder.info.output_width, height = decoder.info.output_height;
    if (width > MaxSide || height > MaxSide)
        return Failed(error,
                      QStringLiteral("Image JPEG trop grande : %1 × %2").arg(width).arg(height));
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return Failed(error, QStringLiteral("Mémoire insuffisante pour l'image JPEG"));
    std::vector<JSAMPROW> rows(height);
    for (JDIMENSION y = 0; y < height; ++y)
        rows[y] = image.scanLine(static_cast<int>(y));
    if (!ReadLines(decoder, rows.data()))
        return Failed(error, QString::fromLocal8Bit(decoder.error.message));
    return image;
}
