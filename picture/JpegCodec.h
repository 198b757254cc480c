#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kemuyi {

// Bounds that keep memory and time in check whatever a file says about itself. Our largest
// picture is 690 × 450; these are far above it and far below what would exhaust a machine.
struct JpegLimits
{
    qint64 maxPixels = 16LL * 1024 * 1024;
    int maxScans = 64;                      // progressive files re-read the data once per scan
    long maxMemory = 256L * 1024 * 1024;    // libjpeg's own working memory
};

// Decodes JPEG bytes with libjpeg into an opaque RGB32 image. `name` is used in the message of
// the Failure thrown for anything that is not a sound JPEG; corrupt-data warnings count as
// failures too, since libjpeg would otherwise hand back a grey-filled picture.
QImage decodeJpeg(const QByteArray &data, const QString &name, const JpegLimits &limits = {});

// Reads and decodes a file; a missing, unreadable or empty file is a Failure naming it.
QImage decodeJpegFile(const QString &path, const JpegLimits &limits = {});

// Encodes an image as a JPEG, baseline unless asked otherwise. Deterministic: the same image
// gives the same bytes.
enum class JpegMode { Baseline, Progressive };
QByteArray encodeJpeg(const QImage &image, int quality = 92, JpegMode mode = JpegMode::Baseline);

// Writes encodeJpeg's bytes to a file; a write error is a Failure naming the file.
void encodeJpegFile(const QImage &image, const QString &path, int quality = 92);

} // namespace kemuyi
