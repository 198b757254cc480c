// Arbitrary bytes as a picture: decodeJpeg must either give an image or throw a Failure, and
// LoadPicture must agree with it and keep the previous picture when it fails.

#include "FuzzSupport.h"

#include "common/Failure.h"
#include "picture/JpegCodec.h"
#include "picture/LoadPicture.h"
#include "picture/PictureHolder.h"

#include <QColor>
#include <QImage>

#include <optional>

using namespace kemuyi;

namespace {

// A picture no decoded input can be confused with: it is not RGB32.
QImage sentinelPicture()
{
    QImage image(3, 2, QImage::Format_Indexed8);
    image.setColorCount(1);
    image.setColor(0, qRgb(1, 2, 3));
    image.fill(0);
    return image;
}

std::optional<QImage> decoded(const QByteArray &bytes)
{
    try {
        QImage image = decodeJpeg(bytes, QStringLiteral("fuzz.jpg"));
        if (image.isNull() || image.format() != QImage::Format_RGB32)
            fuzz::violated("decodeJpeg returned a null or non-RGB32 image");
        return image;
    } catch (const Failure &) {
        return std::nullopt;
    }
}

void checkLoadPicture(const uint8_t *data, size_t size, const std::optional<QImage> &expected)
{
    static const QString path = fuzz::privateDir() + QStringLiteral("/fuzz.jpg");
    fuzz::writeInput(path, data, size);

    const QImage sentinel = sentinelPicture();
    PictureHolder holder; // keeps the picture and shows nothing
    holder.setPicture(sentinel);
    try {
        LoadPicture(holder, path);
    } catch (const Failure &failure) {
        if (expected)
            fuzz::violated("LoadPicture failed on bytes decodeJpeg accepts", failure.message());
        if (holder.picture() != sentinel)
            fuzz::violated("a failed LoadPicture replaced the previous picture");
        return;
    }
    if (!expected)
        fuzz::violated("LoadPicture accepted bytes decodeJpeg refuses");
    if (holder.picture() != *expected)
        fuzz::violated("LoadPicture and decodeJpeg decoded the same bytes differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QImage> image = decoded(fuzz::inputBytes(data, size));
    checkLoadPicture(data, size, image);
    return 0;
}
