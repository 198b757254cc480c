#include "Support.h"

#include "common/Failure.h"
#include "picture/JpegCodec.h"
#include "picture/LoadPicture.h"
#include "ui/PictureBox.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

QImage twoColourImage()
{
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 20 ? qRgb(220, 30, 30) : qRgb(30, 30, 220));
    return image;
}

void expectNear(QRgb actual, QRgb expected)
{
    EXPECT_NEAR(qRed(actual), qRed(expected), 12);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 12);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 12);
}

// A picture with detail everywhere, so that its data runs long after the headers.
QByteArray detailedJpeg()
{
    QImage image(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, ((x ^ y) * 5) % 256));
    return encodeJpeg(image, 90);
}

// The first 80 % of a picture: every header and most of the data, as a broken download leaves it.
QByteArray cutInTheData(const QByteArray &jpeg)
{
    const QByteArray cut = jpeg.left(jpeg.size() * 8 / 10);
    EXPECT_GT(cut.size(), jpeg.indexOf(QByteArray("\xFF\xDA", 2)) + 100) << "the cut must fall in the data";
    return cut;
}

// The message of the Failure that loading `path` into `box` throws; empty if it did not throw.
QString loadFailure(PictureBox &box, const QString &path)
{
    try {
        LoadPicture(box, path);
    } catch (const Failure &failure) {
        return failure.message();
    }
    return {};
}

// Patches the frame size in the first SOF0 marker of a baseline JPEG.
QByteArray withFrameSize(QByteArray jpeg, quint16 width, quint16 height)
{
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace

TEST(LoadPicture, DecodesSizeAndColours)
{
    Sandbox sandbox;
    const QString file = sandbox.path(QStringLiteral("two.jpg"));
    writeJpeg(file, twoColourImage());

    PictureBox box;
    LoadPicture(box, file);
    ASSERT_EQ(box.picture().size(), QSize(40, 30));
    expectNear(box.picture().pixel(5, 15), qRgb(220, 30, 30));
    expectNear(box.picture().pixel(35, 15), qRgb(30, 30, 220));
}

TEST(LoadPicture, BadFilesFailNamingTheFileAndKeepThePreviousPicture)
{
    Sandbox sandbox;
    const QString good = sandbox.path(QStringLiteral("good.jpg"));
    writeJpeg(good, twoColourImage());
    const QByteArray jpeg = readBytes(good);

    struct Case
    {
        const char *name;
        std::optional<QByteArray> bytes; // nullopt: the file does not exist
        const char *reason;
    };
    const Case cases[] = {
        {"missing.jpg", std::nullopt, "文件不存在"},
        {"empty.jpg", QByteArray(), "文件为空"},
        {"cut-in-headers.jpg", jpeg.left(jpeg.size() / 4), "不是有效的 JPEG 图片"},
        {"cut-in-data.jpg", cutInTheData(detailedJpeg()), "不是有效的 JPEG 图片"},
        {"garbage.jpg", QByteArray(500, 'x'), "不是有效的 JPEG 图片"},
        {"huge.jpg", withFrameSize(jpeg, 60000, 60000), "图片尺寸过大"},
    };

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = sandbox.path(QString::fromLatin1(c.name));
        if (c.bytes)
            writeBytes(path, *c.bytes);
        PictureBox box;
        LoadPicture(box, good);
        const QString message = loadFailure(box, path);
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.reason))) << message.toStdString();
        EXPECT_EQ(box.picture().size(), QSize(40, 30));
    }
}

// libjpeg only warns about data that ends early or holds stray bytes, and would hand back a
// picture filled with grey; such a picture is no picture.
TEST(DecodeJpeg, DamageAfterTheHeadersIsAFailureNotAGreyPicture)
{
    const QByteArray jpeg = detailedJpeg();
    ASSERT_EQ(decodeJpeg(jpeg, QStringLiteral("whole.jpg")).size(), QSize(160, 120));

    const QString cut = failureOf([&] { decodeJpeg(cutInTheData(jpeg), QStringLiteral("cut.jpg")); });
    EXPECT_TRUE(cut.contains(QStringLiteral("cut.jpg"))) << cut.toStdString();
    EXPECT_TRUE(cut.contains(QStringLiteral("不是有效的 JPEG 图片"))) << cut.toStdString();

    QByteArray stray = jpeg;
    stray.insert(stray.indexOf(QByteArray("\xFF\xDA", 2)), QByteArray(3, '\0'));
    const QString strayMessage = failureOf([&] { decodeJpeg(stray, QStringLiteral("stray.jpg")); });
    EXPECT_TRUE(strayMessage.contains(QStringLiteral("stray.jpg"))) << strayMessage.toStdString();
}

TEST(DecodeJpeg, FilesThatCannotBeReadFailNamingTheReason)
{
    Sandbox sandbox;
    QDir().mkpath(sandbox.path(QStringLiteral("folder.jpg")));
    QFile big(sandbox.path(QStringLiteral("big.jpg")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(65LL * 1024 * 1024)); // sparse: no disk used
    big.close();
    const std::pair<QString, const char *> cases[] = {
        {sandbox.path(QStringLiteral("folder.jpg")), "无法读取"},
        {sandbox.path(QStringLiteral("big.jpg")), "文件过大"},
        {QStringLiteral("/proc/self/mem"), "无法读取"}, // opens, then every read fails
    };
    for (const auto &[path, reason] : cases) {
        const QString message = failureOf([&, path = path] { decodeJpegFile(path); });
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(reason))) << message.toStdString();
    }

    PictureBox box;
    EXPECT_TRUE(failureOf([&] { LoadBuiltInPicture(box, QStringLiteral(":/builtin/none.jpg")); })
                    .contains(QStringLiteral("无法加载内置图片")));
}

#if !defined(__SANITIZE_ADDRESS__)
// A picture within the size limit whose pixels still do not fit in memory.
TEST(DecodeJpeg, APictureMemoryCannotHoldIsAFailure)
{
    const QByteArray huge = withFrameSize(encodeJpeg(twoColourImage()), 60000, 60000);
    JpegLimits noSizeLimit;
    noSizeLimit.maxPixels = 1LL << 40;
    rlimit old {};
    getrlimit(RLIMIT_AS, &old);
    rlimit small = old;
    small.rlim_cur = 4LL * 1024 * 1024 * 1024; // far below the 14 GB the pixels need
    ASSERT_EQ(setrlimit(RLIMIT_AS, &small), 0);
    const QString message = failureOf([&] { decodeJpeg(huge, QStringLiteral("huge.jpg"), noSizeLimit); });
    setrlimit(RLIMIT_AS, &old);
    EXPECT_TRUE(message.contains(QStringLiteral("内存不足"))) << message.toStdString();
}
#endif

TEST(JpegCodec, EncodingFailuresSayWhy)
{
    Sandbox sandbox;
    EXPECT_TRUE(failureOf([] { encodeJpeg(QImage()); }).contains(QStringLiteral("无法编码空图片")));
    const QString path = sandbox.path(QStringLiteral("no/such/folder/x.jpg"));
    EXPECT_TRUE(failureOf([&] { encodeJpegFile(twoColourImage(), path); }).contains(path));
}

TEST(LoadPicture, EmptyNameClearsAndKeepsTheSize)
{
    Sandbox sandbox;
    const QString file = sandbox.path(QStringLiteral("a.jpg"));
    writeJpeg(file, twoColourImage());
    PictureBox box;
    box.setAutoSize(true);
    LoadPicture(box, file);
    EXPECT_EQ(box.size(), QSize(40, 30));
    LoadPicture(box, QString());
    EXPECT_TRUE(box.picture().isNull());
    EXPECT_EQ(box.size(), QSize(40, 30));
}

TEST(LoadPicture, NamesMatchWithoutRegardToCase)
{
    Sandbox sandbox;
    writeJpeg(sandbox.path(QStringLiteral("checked.jpg")), solidImage(8, 8, qRgb(0, 200, 0)));
    writeJpeg(sandbox.path(QStringLiteral("pic/sign.jpg")), solidImage(9, 9, qRgb(0, 200, 0)));
    PictureBox box;
    LoadPicture(box, sandbox.path(QStringLiteral("Checked.jpg")));
    EXPECT_EQ(box.picture().size(), QSize(8, 8));
    LoadPicture(box, sandbox.path(QStringLiteral("PIC/Sign.JPG")));
    EXPECT_EQ(box.picture().size(), QSize(9, 9));
    // A folder that exists in no spelling: the failure names the path as it was asked for.
    const QString nowhere = sandbox.path(QStringLiteral("Nowhere/Sign.JPG"));
    EXPECT_TRUE(failureOf([&] { LoadPicture(box, nowhere); }).contains(nowhere));
    EXPECT_EQ(box.picture().size(), QSize(9, 9));
}

TEST(LoadPicture, OnlyJpegNamesAreAccepted)
{
    Sandbox sandbox;
    const QString file = sandbox.path(QStringLiteral("picture.png"));
    writeJpeg(file, twoColourImage());
    PictureBox box;
    EXPECT_TRUE(loadFailure(box, file).contains(QStringLiteral("不支持的图片格式")));
}

TEST(JpegCodec, EncodingIsDeterministic)
{
    EXPECT_EQ(encodeJpeg(twoColourImage()), encodeJpeg(twoColourImage()));
}

TEST(LoadBuiltInPicture, EveryWindowPictureIsCompiledIn)
{
    const char *names[] = {"logo", "bground1", "bground2", "a1a3b1", "a2b2", "c1c2c3c4", "m", "def",
                           "tc", "1", "2", "3", "4", "5", "6", "7", "dui", "cuo", "sxlx", "jqlx",
                           "exit", "uncheck", "checked", "thinking", "yes", "no"};
    for (const char *name : names) {
        PictureBox box;
        EXPECT_NO_THROW(LoadBuiltInPicture(box, QStringLiteral(":/builtin/%1.jpg").arg(QLatin1String(name))))
            << name;
        EXPECT_FALSE(box.picture().isNull()) << name;
    }
}
