#include "Support.h"

#include "bank/Sqlite.h"
#include "common/AppPaths.h"
#include "ui/FailureReport.h"
#include "ui/JpegCodec.h"

#include <QDir>
#include <QFileInfo>
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
