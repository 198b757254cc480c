// LoadPicture against libjpeg on its own, on the largest picture the program shows.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Pictures.h"
#include "Summary.h"
#include "Timing.h"

#include "picture/JpegCodec.h"
#include "picture/LoadPicture.h"
#include "picture/PictureHolder.h"

#include <QFile>
#include <QHash>

#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace kemuyi::bench {

namespace {

struct PlainError
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void plainErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<PlainError *>(cinfo->err)->jump, 1);
}

// The least a caller can do with libjpeg: decode into a fresh buffer of four-byte pixels (the
// layout LoadPicture produces), no checks beyond libjpeg's own. Returns the pixel count.
long plainDecode(const unsigned char *data, unsigned long size, std::unique_ptr<JSAMPLE[]> &pixels)
{
    jpeg_decompress_struct cinfo;
    PlainError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = plainErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return -1;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * 4;
    pixels.reset(new JSAMPLE[stride * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    const long count = long(cinfo.output_width) * long(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return count;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct PhotoFixture
{
    QString path;
    QByteArray bytes;
};

const PhotoFixture &photo()
{
    static const PhotoFixture fixture = [] {
        const QString path = fixtureFolder(QStringLiteral("photo")) + QStringLiteral("photo690x450.jpg");
        encodeJpegFile(photoImage(690, 450, 7), path);
        return PhotoFixture{path, fileBytes(path)};
    }();
    return fixture;
}

// Both decoders in the same loop, their order alternating, so that whatever the machine is doing
// at the moment weighs on both alike; the ratio is of their medians over the repetitions.
void loadPictureAgainstLibjpeg(benchmark::State &state)
{
    const PhotoFixture &fixture = photo();
    const auto *data = reinterpret_cast<const unsigned char *>(fixture.bytes.constData());
    const auto size = static_cast<unsigned long>(fixture.bytes.size());
    PictureHolder holder; // keeps the picture and nothing else, so only LoadPicture is timed
    std::unique_ptr<JSAMPLE[]> pixels;
    double load = 0;
    double plain = 0;
    double plainWithRead = 0;
    static bool loadFirst = true;
    for (auto _ : state) {
        double loadSeconds = 0;
        const auto timeLoad = [&] {
            loadSeconds = secondsOf([&] { LoadPicture(holder, fixture.path); });
            load += loadSeconds;
        };
        const auto timePlain = [&] { plain += secondsOf([&] { plainDecode(data, size, pixels); }); };
        inTurn(loadFirst, timeLoad, timePlain);
        // The file read a caller of libjpeg would need as well, timed apart for the breakdown.
        plainWithRead += secondsOf([&] {
            const QByteArray bytes = fileBytes(fixture.path);
            plainDecode(reinterpret_cast<const unsigned char *>(bytes.constData()),
                        static_cast<unsigned long>(bytes.size()), pixels);
        });
        state.SetIterationTime(loadSeconds);
    }
    if (holder.picture().size() != QSize(690, 450))
        state.SkipWithError("LoadPicture did not produce a 690x450 picture");
    state.counters["LoadPicture_us"] = perIteration(load * 1e6);
    state.counters["libjpeg_us"] = perIteration(plain * 1e6);
    state.counters["libjpeg_with_read_us"] = perIteration(plainWithRead * 1e6);
    state.counters["file_KiB"] = double(fixture.bytes.size()) / 1024.0;
}

// A control on an enlarged window: LoadPicture takes the double-resolution file beside the plain one.
class EnlargedHolder : public PictureHolder
{
public:
    qreal pictureScale() const override { return 2; }
};

// A grainy photograph at 1380 × 900 as name@2x.jpg and, beside it, the same photograph made
// smaller as name.jpg: the worst case, since the grain the smaller one averages away makes the
// larger file more than four times the data.
QString photoPair()
{
    const QString folder = fixtureFolder(QStringLiteral("sharp"));
    const QImage sharp = photoImage(1380, 900, 11);
    encodeJpegFile(sharp, folder + QStringLiteral("bground@2x.jpg"));
    encodeJpegFile(sharp.scaled(690, 450, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   folder + QStringLiteral("bground.jpg"));
    return folder + QStringLiteral("bground.jpg");
}

// The program's own background and its double-resolution drawing, as the artwork tool renders
// both: what an enlarged window loads.
QString shippedPair()
{
    const QString folder = fixtureFolder(QStringLiteral("shipped"));
    for (const QString &name : {QStringLiteral("bground1.jpg"), QStringLiteral("bground1@2x.jpg")}) {
        QFile::remove(folder + name);
        if (!QFile::copy(QStringLiteral(KEMUYI_BIN_DIR "/") + name, folder + name))
            return QString();
    }
    return folder + QStringLiteral("bground1.jpg");
}

// Loading a background for an enlarged window against the plain load, alternating as above.
void sharpBackgroundAgainstPlain(benchmark::State &state, const QString &path)
{
    if (path.isEmpty()) {
        state.SkipWithError("the background pair could not be written");
        return;
    }
    PictureHolder plainHolder;
    EnlargedHolder sharpHolder;
    double plain = 0;
    double sharp = 0;
    static bool sharpFirst = true;
    for (auto _ : state) {
        double sharpSeconds = 0;
        const auto timeSharp = [&] {
            sharpSeconds = secondsOf([&] { LoadPicture(sharpHolder, path); });
            sharp += sharpSeconds;
        };
        const auto timePlain = [&] { plain += secondsOf([&] { LoadPicture(plainHolder, path); }); };
        inTurn(sharpFirst, timeSharp, timePlain);
        state.SetIterationTime(sharpSeconds);
    }
    if (sharpHolder.picture().size() != QSize(1380, 900) || plainHolder.picture().size() != QSize(690, 450))
        state.SkipWithError("LoadPicture did not take the double-resolution file");
    state.counters["sharp_us"] = perIteration(sharp * 1e6);
    state.counters["plain_us"] = perIteration(plain * 1e6);
}

void summariseShippedSharpPictures(const Aggregates &aggregates)
{
    const double sharp = aggregates.median("sharp_us");
    record("18. LoadPicture 2x / 1x, the program's background", sharp / aggregates.median("plain_us"), "x", 4.5);
    record("    the background at 1380x900 (@2x), median", sharp, "us");
    record("    the background at 690x450, median", aggregates.median("plain_us"), "us");
}

void summarisePhotoSharpPictures(const Aggregates &aggregates)
{
    const double sharp = aggregates.median("sharp_us");
    record("    LoadPicture 2x / 1x, grainy photograph", sharp / aggregates.median("plain_us"), "x");
    record("    the photograph at 1380x900 (@2x), median", sharp, "us");
    record("    the photograph at 690x450, median", aggregates.median("plain_us"), "us");
}

void summarisePictures(const Aggregates &aggregates)
{
    const double load = aggregates.median("LoadPicture_us");
    record("1. LoadPicture 690x450 / plain libjpeg", load / aggregates.median("libjpeg_us"), "x", 1.2);
    record("   LoadPicture 690x450 median", load, "us");
    record("   plain libjpeg decode median", aggregates.median("libjpeg_us"), "us");
    record("   LoadPicture / (file read + libjpeg)", load / aggregates.median("libjpeg_with_read_us"), "x");
}

} // namespace

void registerPictureBenchmarks()
{
    repeated(benchmark::RegisterBenchmark("LoadPicture_vs_libjpeg/690x450", loadPictureAgainstLibjpeg), 20)
        ->UseManualTime()
        ->MinTime(0.05)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("LoadPicture_vs_libjpeg/690x450", summarisePictures);
    const std::pair<const char *, std::pair<QString (*)(), void (*)(const Aggregates &)>> sharpCases[] = {
        {"LoadPicture_2x_vs_1x/background", {shippedPair, summariseShippedSharpPictures}},
        {"LoadPicture_2x_vs_1x/photograph", {photoPair, summarisePhotoSharpPictures}},
    };
    for (const auto &[name, pair] : sharpCases) {
        const auto [write, summarise] = pair;
        repeated(benchmark::RegisterBenchmark(name, [write = write](benchmark::State &state) {
                     // Written once per pair, before its first repetition.
                     static QHash<QString (*)(), QString> written;
                     if (!written.contains(write))
                         written.insert(write, write());
                     sharpBackgroundAgainstPlain(state, written.value(write));
                 }), 20)
            ->UseManualTime()
            ->MinTime(0.05)
            ->Unit(benchmark::kMicrosecond);
        whenAggregated(name, summarise);
    }
}

} // namespace kemuyi::bench
