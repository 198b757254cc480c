#include "PracticeFixture.h"

#include "bank/BankStore.h"
#include "common/Failure.h"
#include "picture/JpegCodec.h"
#include "ui/HoverTracker.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

QImage noisyImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, ((x ^ y) * 5) % 256));
    return image;
}

} // namespace

// ---- pictures ----

TEST(HostilePictures, ProgressiveScansAndWorkingMemoryAreCapped)
{
    const QByteArray progressive = encodeJpeg(noisyImage(690, 450), 90, JpegMode::Progressive);
    EXPECT_NO_THROW(decodeJpeg(progressive, QStringLiteral("p.jpg")));

    JpegLimits fewScans;
    fewScans.maxScans = 2;
    EXPECT_TRUE(failureOf([&] { decodeJpeg(progressive, QStringLiteral("p.jpg"), fewScans); })
                    .contains(QStringLiteral("p.jpg")));

    JpegLimits littleMemory;
    littleMemory.maxMemory = 64 * 1024;
    EXPECT_TRUE(failureOf([&] { decodeJpeg(progressive, QStringLiteral("p.jpg"), littleMemory); })
                    .contains(QStringLiteral("不是有效的 JPEG 图片")));
}

TEST(HostilePictures, EveryCutOfAPictureFailsCleanly)
{
    const QByteArray jpeg = encodeJpeg(noisyImage(64, 48), 90);
    for (int size = 0; size < jpeg.size() - 2; size += 7) {
        // Either decodes (a cut after the image data) or fails with a message: never aborts.
        try {
            decodeJpeg(jpeg.left(size), QStringLiteral("cut.jpg"));
        } catch (const Failure &failure) {
            EXPECT_TRUE(failure.message().contains(QStringLiteral("cut.jpg")));
        }
    }
}

// ---- banks ----

class HostileBanks : public ::testing::Test
{
protected:
    QString bank() const { return sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib"); }

    Sandbox sandbox;
    BankStore store;
};

TEST_F(HostileBanks, DamagedFilesAreRefusedAsDamaged)
{
    writeBank(bank(), practiceRows());
    const QByteArray sound = readBytes(bank());
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    QByteArray scribbled = sound;
    for (int i = 4096; i < scribbled.size(); i += 97)
        scribbled[i] = char(0xA5);
    const Case cases[] = {
        {"garbage", QByteArray(8192, 'x')},
        {"truncated", sound.left(sound.size() / 2)},
        {"scribbled pages", scribbled},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(bank(), c.bytes);
        const QString message = failureOf([&] { store.OpenBank(); });
        EXPECT_TRUE(message.contains(QStringLiteral("题库文件已损坏"))) << message.toStdString();
        EXPECT_TRUE(message.contains(bank()));
        EXPECT_FALSE(store.isOpen());
    }
}

TEST_F(HostileBanks, MissingTableOrColumnIsNamed)
{
    execOnBank(bank(), QStringLiteral("CREATE TABLE questions (ID INTEGER)"));
    EXPECT_TRUE(failureOf([&] { store.OpenBank(); }).contains(QStringLiteral("没有题目表 TK")));

    QFile::remove(bank());
    execOnBank(bank(), QStringLiteral("CREATE TABLE TK (ID INTEGER, TYPE TEXT, subject TEXT, a TEXT, b TEXT,"
                                      " c TEXT, d TEXT, \"select\" TEXT, answer TEXT)"));
    const QString message = failureOf([&] { store.OpenBank(); });
    EXPECT_TRUE(message.contains(QStringLiteral("缺少字段 pic"))) << message.toStdString();
}

TEST_F(HostileBanks, AViewOrTriggerCannotRunAnythingOnOpening)
{
    // A view named TK that would call a function: refused as no table, and nothing runs.
    execOnBank(bank(), QStringLiteral("CREATE TABLE real (ID INTEGER, TYPE TEXT, subject TEXT, a TEXT, b TEXT,"
                                      " c TEXT, d TEXT, pic TEXT, \"select\" TEXT, answer TEXT);"
                                      "INSERT INTO real VALUES (1, 'M', 's', '', '', '', '', '', 'N', '正确');"
                                      "CREATE VIEW TK AS SELECT ID, TYPE, load_extension('/tmp/evil') AS subject,"
                                      " a, b, c, d, pic, \"select\", answer FROM real;"));
    EXPECT_TRUE(failureOf([&] { store.OpenBank(); }).contains(QStringLiteral("没有题目表 TK")));

    // Triggers are switched off on our connection; reads would never fire them anyway.
    QFile::remove(bank());
    writeBank(bank(), practiceRows());
    execOnBank(bank(), QStringLiteral("CREATE TABLE log (x TEXT);"
                                      "CREATE TRIGGER t AFTER UPDATE ON TK BEGIN INSERT INTO log VALUES ('ran'); END;"));
    store.OpenBank();
    EXPECT_EQ(store.QueryCategoryCount(QStringLiteral("C1C2C3C4")), 4);
}

TEST_F(HostileBanks, AWorkingCopyThatIsNotOursIsRefused)
{
    const QString elsewhere = sandbox.path(QStringLiteral("planted.lib"));
    writeBank(elsewhere, practiceRows());
    ASSERT_TRUE(QFile::link(elsewhere, bank()));
    EXPECT_TRUE(failureOf([&] { store.OpenBank(); }).contains(QStringLiteral("不是当前用户的普通文件")));

    QFile::remove(bank());
    QDir().mkpath(bank());
    EXPECT_TRUE(failureOf([&] { store.OpenBank(); }).contains(QStringLiteral("不是当前用户的普通文件")));
    QDir().rmdir(bank());

    if (::geteuid() == 0) { // only root can give a file away to test the owner check
        writeBank(bank(), practiceRows());
        ASSERT_EQ(::chown(QFile::encodeName(bank()).constData(), 4242, 4242), 0);
        EXPECT_TRUE(failureOf([&] { store.OpenBank(); }).contains(QStringLiteral("不是当前用户的普通文件")));
    }
}

// ---- copying the bank ----

TEST(HostileCopy, AFullDiskLeavesTheEarlierCopyIntactAndNoPartialFile)
{
    struct Case
    {
        const char *name;
        int bankBytes;
        rlim_t room; // bytes the "disk" takes
        KernelCopy::Mode kernel;
    };
    const Case cases[] = {
        {"the kernel copies", 3 * 1024 * 1024, 1024 * 1024, KernelCopy::Real},
        {"a write of the portable copy fails", 3 * 1024 * 1024, 1024 * 1024, KernelCopy::Missing},
        {"the last flush of the portable copy fails", 100, 50, KernelCopy::Missing},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox sandbox;
        writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray(c.bankBytes, 'b'));
        writeBytes(workingCopyPath(), QByteArray("earlier copy"));
        KernelCopy kernel(c.kernel);

        // The file-size limit stands in for a full disk: writes past it fail with EFBIG.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = c.room;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString message = failureOf([] { CopyBank(); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_TRUE(message.contains(workingCopyPath())) << message.toStdString();
        EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("earlier copy"));
        EXPECT_EQ(QDir(sandbox.tempDir()).entryList(QDir::Files), QStringList{QStringLiteral("e9p7k6m8.lib")});
    }
}

TEST(HostileCopy, AnUnusableTemporaryFolderIsReported)
{
    Sandbox sandbox;
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("bank"));
    writeBytes(sandbox.path(QStringLiteral("a-file")), QByteArray("x"));
    for (const QString &tmp : {sandbox.path(QStringLiteral("missing/folder")), sandbox.path(QStringLiteral("a-file/sub"))}) {
        qputenv("TMPDIR", QFile::encodeName(tmp));
        const QString message = failureOf([] { CopyBank(); });
        EXPECT_FALSE(QFile::exists(QStringLiteral("/e9p7k6m8.lib")));
        EXPECT_TRUE(message.contains(QStringLiteral("临时目录"))) << message.toStdString();
        EXPECT_TRUE(message.contains(tmp)) << message.toStdString();
    }
}

TEST(HostileCopy, ATemporaryFolderThatIsAFileIsReportedAsOne)
{
    Sandbox sandbox;
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("bank"));
    const QString file = sandbox.path(QStringLiteral("a-file"));
    writeBytes(file, QByteArray("x"));
    qputenv("TMPDIR", QFile::encodeName(file));
    const QString message = failureOf([] { CopyBank(); });
    EXPECT_EQ(message, QStringLiteral("临时目录（TMPDIR）%1 是一个文件，不是文件夹").arg(file));
    EXPECT_EQ(readBytes(file), QByteArray("x"));
    EXPECT_EQ(QDir(sandbox.path()).entryList({QStringLiteral("a-file*")}, QDir::AllEntries),
              QStringList{QStringLiteral("a-file")});
}

// ---- hover ----

TEST_F(PracticeWindowTest, ManyHoverCyclesReportAFailingPictureOnceAndAddNothing)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("jqlx_ovr.jpg"));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    const int objectsBefore = int(form->findChildren<QObject *>().size());
    for (int i = 0; i < 300; ++i) {
        form->hoverTracker().pointerAt(form->ImgA->geometry().center());
        form->hoverTracker().pointerAt(form->ImgJqlx->geometry().center());
        form->hoverTracker().pointerLeft();
    }
    // Memory over many cycles is measured in bench/; leaks are LeakSanitizer's under asan.
    EXPECT_EQ(failures.messages().size(), 1);
    EXPECT_EQ(int(form->findChildren<QObject *>().size()), objectsBefore);
    EXPECT_EQ(pictureName(form->ImgA->picture()), QStringLiteral("1.jpg"));
    EXPECT_EQ(pictureName(form->ImgJqlx->picture()), QStringLiteral("jqlx.jpg"));
}
