#include "Support.h"

#include "bank/Sqlite.h"
#include "common/AppPaths.h"
#include "picture/JpegCodec.h"
#include "ui/FailureReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QFile>

#include <gtest/gtest.h>

namespace kemuyi::test {

namespace {

QStringList &loggedCaptions()
{
    static QStringList captions;
    return captions;
}

QStringList &loggedMessages()
{
    static QStringList messages;
    return messages;
}

} // namespace

Sandbox::Sandbox()
{
    EXPECT_TRUE(m_dir.isValid());
    QDir(m_dir.path()).mkpath(QStringLiteral("app"));
    QDir(m_dir.path()).mkpath(QStringLiteral("tmp"));
    m_oldTmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tempDir()));
    setAppDirOverride(appDir());
}

Sandbox::~Sandbox()
{
    setAppDirOverride(QString());
    if (m_oldTmpdir.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_oldTmpdir);
}

QString Sandbox::path(const QString &name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + name;
}

FailureLog::FailureLog()
{
    clear();
    setFailureReporter([](const QString &caption, const QString &message) {
        loggedCaptions().append(caption);
        loggedMessages().append(message);
    });
}

FailureLog::~FailureLog()
{
    setFailureReporter({});
}

const QStringList &FailureLog::captions() const
{
    return loggedCaptions();
}

const QStringList &FailureLog::messages() const
{
    return loggedMessages();
}

void FailureLog::clear()
{
    loggedCaptions().clear();
    loggedMessages().clear();
}

Row choiceRow(qint64 id, const QString &type, const QString &answer)
{
    const QString n = QString::number(id);
    return Row{id, type, QStringLiteral("题目") + n, QStringLiteral("甲") + n, QStringLiteral("乙") + n,
               QStringLiteral("丙") + n, QStringLiteral("丁") + n, QString(), QStringLiteral("Y"), answer};
}

Row judgeRow(qint64 id, const QString &type, const QString &answer)
{
    return Row{id, type, QStringLiteral("判断") + QString::number(id), {}, {}, {}, {}, QString(),
               QStringLiteral("N"), answer};
}

void writeBank(const QString &path, const QVector<Row> &rows)
{
    QFile::remove(path);
    SqliteDb db;
    db.openForWriting(path);
    db.exec("CREATE TABLE TK (ID INTEGER, TYPE TEXT, subject TEXT, a TEXT, b TEXT, c TEXT, d TEXT,"
            " pic TEXT, \"select\" TEXT, answer TEXT)");
    db.exec("BEGIN");
    SqliteStatement insert(db, "INSERT INTO TK VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    for (const Row &row : rows) {
        insert.reset();
        if (row.id)
            insert.bind(1, *row.id);
        else
            insert.bindNull(1);
        const QString texts[] = {row.type, row.subject, row.a,      row.b,     row.c,
                                 row.d,    row.pic,     row.select, row.answer};
        for (int i = 0; i < 9; ++i)
            insert.bind(i + 2, texts[i]);
        insert.step();
    }
    db.exec("COMMIT");
}

void execOnBank(const QString &path, const QString &sql)
{
    SqliteDb db;
    db.openForWriting(path);
    db.exec(sql.toUtf8().constData());
}

QImage solidImage(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writeJpeg(const QString &path, const QImage &image)
{
    QDir().mkpath(QFileInfo(path).path());
    encodeJpegFile(image, path, 95);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace kemuyi::test

namespace kemuyi::test {

namespace {

struct PictureFile
{
    const char *name;
    int width;
    int height;
};

const PictureFile kPictures[] = {
    {"logo.jpg", 440, 300},      {"bground1.jpg", 690, 450},  {"bground2.jpg", 690, 450},
    {"a1a3b1.jpg", 153, 43},     {"a1a3b1_ovr.jpg", 153, 43}, {"a2b2.jpg", 153, 42},
    {"a2b2_ovr.jpg", 153, 42},   {"c1c2c3c4.jpg", 153, 42},   {"c1c2c3c4_ovr.jpg", 153, 42},
    {"m.jpg", 153, 41},          {"m_ovr.jpg", 153, 41},      {"def.jpg", 153, 43},
    {"def_ovr.jpg", 153, 43},    {"tc.jpg", 153, 41},         {"tc_ovr.jpg", 153, 41},
    {"1.jpg", 60, 40},           {"1_ovr.jpg", 60, 40},       {"2.jpg", 60, 40},
    {"2_ovr.jpg", 60, 40},       {"3.jpg", 60, 40},           {"3_ovr.jpg", 60, 40},
    {"4.jpg", 59, 41},           {"4_ovr.jpg", 59, 41},       {"5.jpg", 90, 40},
    {"5_ovr.jpg", 90, 40},       {"6.jpg", 90, 40},           {"6_ovr.jpg", 90, 40},
    {"7.jpg", 50, 40},           {"7_ovr.jpg", 50, 40},       {"dui.jpg", 60, 40},
    {"dui_ovr.jpg", 60, 40},     {"cuo.jpg", 60, 40},         {"cuo_ovr.jpg", 60, 40},
    {"sxlx.jpg", 110, 40},       {"sxlx_ovr.jpg", 110, 40},   {"jqlx.jpg", 110, 40},
    {"jqlx_ovr.jpg", 110, 40},   {"exit.jpg", 110, 40},       {"exit_ovr.jpg", 110, 40},
    {"uncheck.jpg", 110, 40},    {"checked.jpg", 110, 40},    {"chk_ovr.jpg", 110, 40},
    {"unchk_ovr.jpg", 110, 40},  {"thinking.jpg", 107, 107},  {"yes.jpg", 107, 107},
    {"no.jpg", 107, 107},        {"pic/sign.jpg", 120, 80},   {"pic/lamp.jpg", 100, 60},
};

QRgb colourOf(int index)
{
    return qRgb(30 + (index % 4) * 64, 30 + ((index / 4) % 4) * 64, 30 + (index / 16) * 64);
}

} // namespace

void writeAllPictures(const QString &appDir)
{
    int index = 0;
    for (const PictureFile &file : kPictures)
        writeJpeg(appDir + QLatin1String(file.name), solidImage(file.width, file.height, colourOf(index++)));
}

QString pictureName(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const QRgb pixel = picture.pixel(picture.width() / 2, picture.height() / 2);
    int index = 0;
    for (const PictureFile &file : kPictures) {
        const QRgb colour = colourOf(index++);
        if (qAbs(qRed(pixel) - qRed(colour)) < 20 && qAbs(qGreen(pixel) - qGreen(colour)) < 20
            && qAbs(qBlue(pixel) - qBlue(colour)) < 20)
            return QLatin1String(file.name);
    }
    return QStringLiteral("(unknown)");
}

} // namespace kemuyi::test

namespace kemuyi::test {

void expectProgramCopiesBankAndStops(const QString &program, const QString &bank)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TMPDIR"), tmp.path());
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();

    const QString copy = tmp.path() + QStringLiteral("/e9p7k6m8.lib");
    const QByteArray expected = readBytes(bank);
    ASSERT_FALSE(expected.isEmpty()) << bank.toStdString();
    QElapsedTimer clock;
    clock.start();
    while (readBytes(copy) != expected && clock.elapsed() < 30'000)
        QTest::qWait(50);
    EXPECT_TRUE(readBytes(copy) == expected) << "no working copy identical to " << bank.toStdString();

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

} // namespace kemuyi::test
