#include "JpegCodec.h"

#include "common/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace kemuyi {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_XRGB;
#endif

// libjpeg's default error handler calls exit(); ours jumps back to the decoder or encoder.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0) // a warning: truncated or corrupt data
        onError(cinfo);
}

struct ScanGuard
{
    jpeg_progress_mgr pub;
    int maxScans;
};

void onProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto *guard = reinterpret_cast<ScanGuard *>(cinfo->progress);
    auto *dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > guard->maxScans) {
        auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "too many progressive scans (over %d)",
                      guard->maxScans);
        std::longjmp(err->jump, 1);
    }
}

enum class DecodeStatus { Ok, JpegError, TooLarge, OutOfMemory };

// Everything between setjmp and a possible longjmp lives here, and no object with a destructor
// is declared in this function: a longjmp would skip its destructor. `out` is owned by the caller.
DecodeStatus decodeRegion(const unsigned char *data, unsigned long size, const JpegLimits *limits,
                          ErrorManager *err, QImage *out)
{
    jpeg_decompress_struct cinfo;
    ScanGuard guard;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err->pub);
    err->pub.error_exit = onError;
    err->pub.emit_message = onMessage;
    err->message[0] = '\0';

    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeStatus::JpegError;
    }

    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = limits->maxMemory;
    guard.pub.progress_monitor = onProgress;
    guard.maxScans = limits->maxScans;
    cinfo.progress = &guard.pub;

    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    if (qint64(cinfo.image_width) * qint64(cinfo.image_height) > limits->maxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeStatus::TooLarge;
    }
    cinfo.out_color_space = kRgb32Space;
    jpeg_start_decompress(&cinfo);

    *out = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (out->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeStatus::OutOfMemory;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return DecodeStatus::Ok;
}

// The encoder's counterpart of decodeRegion, with the same error manager: a failure comes back
// as false instead of ending the process. `*buffer` is the caller's to free in either case.
bool encodeRegion(const QImage *image, int quality, JpegMode mode, ErrorManager *err,
                  unsigned char **buffer, unsigned long *size)
{
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err->pub);
    err->pub.error_exit = onError;
    err->message[0] = '\0';

    if (setjmp(err->jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }

    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = JDIMENSION(image->width());
    cinfo.image_height = JDIMENSION(image->height());
    cinfo.input_components = 4;
    cinfo.in_color_space = kRgb32Space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    if (mode == JpegMode::Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(image->constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

QString pictureFailure(const QString &name, const QString &reason)
{
    return QCoreApplication::translate("kemuyi", "无法加载图片 %1：%2").arg(name, reason);
}

} // namespace

QImage decodeJpeg(const QByteArray &data, const QString &name, const JpegLimits &limits)
{
    if (data.isEmpty())
        throw Failure(pictureFailure(name, QStringLiteral("文件为空")));

    ErrorManager err;
    QImage image;
    const auto status = decodeRegion(reinterpret_cast<const unsigned char *>(data.constData()),
                                     static_cast<unsigned long>(data.size()), &limits, &err, &image);
    switch (status) {
    case DecodeStatus::Ok:
        return image;
    case DecodeStatus::TooLarge:
        throw Failure(pictureFailure(name, QStringLiteral("图片尺寸过大（超过 %1 像素）")
                                               .arg(limits.maxPixels)));
    case DecodeStatus::OutOfMemory:
        throw Failure(pictureFailure(name, QStringLiteral("内存不足")));
    case DecodeStatus::JpegError:
        break;
    }
    throw Failure(pictureFailure(
        name, QStringLiteral("不是有效的 JPEG 图片（%1）").arg(QString::fromLocal8Bit(err.message))));
}

QImage decodeJpegFile(const QString &path, const JpegLimits &limits)
{
    QFile file(path);
    if (!file.exists())
        throw Failure(pictureFailure(path, QStringLiteral("文件不存在")));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(pictureFailure(path, QStringLiteral("无法读取（%1）").arg(file.errorString())));
    // A JPEG of any sane size is far below this; reading stops here instead of filling memory.
    constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
    if (file.size() > kMaxFileBytes)
        throw Failure(pictureFailure(path, QStringLiteral("文件过大")));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(pictureFailure(path, QStringLiteral("无法读取（%1）").arg(file.errorString())));
    return decodeJpeg(data, path, limits);
}

QByteArray encodeJpeg(const QImage &source, int quality, JpegMode mode)
{
    if (source.isNull())
        throw Failure(QStringLiteral("无法编码空图片"));
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    ErrorManager err;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const bool ok = encodeRegion(&image, quality, mode, &err, &buffer, &size);
    const QByteArray bytes = ok ? QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size))
                                : QByteArray();
    std::free(buffer);
    if (!ok)
        throw Failure(QStringLiteral("无法编码图片：%1").arg(QString::fromLocal8Bit(err.message)));
    return bytes;
}

void encodeJpegFile(const QImage &image, const QString &path, int quality)
{
    const QByteArray bytes = encodeJpeg(image, quality);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("无法写入图片 %1：%2").arg(path, file.errorString()));
}

} // namespace kemuyi
