#include "JetImport.h"

#include "bank/Sqlite.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

namespace kemuyi::jet {

namespace {

// The largest file the format allows.
constexpr qint64 kMaxJetFile = qint64(2) << 30;

// Same table and column names as the banks the bank tool builds, but NULL stays possible: the
// program must meet a NULL where the Jet file has one, not an empty text.
const char kCreateTable[] =
    "CREATE TABLE TK (ID INTEGER PRIMARY KEY, TYPE TEXT, subject TEXT, a TEXT, b TEXT, c TEXT,"
    " d TEXT, pic TEXT, \"select\" TEXT, answer TEXT)";

QByteArray readSource(const QString &source)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法打开 %1：%2").arg(source, file.errorString()));
    if (file.size() > kMaxJetFile)
        throw Failure(QStringLiteral("%1 超过了 Jet 文件的上限 2 GB").arg(source));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw Failure(QStringLiteral("读取 %1 失败：%2").arg(source, file.errorString()));
    return bytes;
}

int fillBank(const QString &path, const QByteArray &file, const JetReadOptions &options, bool durable)
{
    SqliteDb db;
    db.openForWriting(path);
    db.exec("PRAGMA journal_mode=OFF"); // the file is thrown away on any failure
    if (!durable)
        db.exec("PRAGMA synchronous=OFF");
    db.exec(kCreateTable);
    db.exec("BEGIN");
    SqliteStatement insert(db, "INSERT INTO TK VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    QSet<qint64> ids;
    readJetQuestions(file, options, [&](const JetQuestion &question) {
        if (ids.contains(question.id))
            throw Failure(QStringLiteral("题号 %1 重复").arg(question.id));
        ids.insert(question.id);
        insert.reset();
        insert.bind(1, question.id);
        for (int i = 0; i < TextColumnCount; ++i) {
            if (question.texts[i])
                insert.bind(i + 2, *question.texts[i]);
            else
                insert.bindNull(i + 2);
        }
        insert.step();
    });
    db.exec("COMMIT");
    return ids.size();
}

} // namespace

int importJetBank(const QString &source, const QString &bankPath, const JetReadOptions &options, bool durable)
{
    const QByteArray file = readSource(source);
    const QFileInfo target(bankPath);
    QTemporaryFile out(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!out.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库：%2").arg(target.absolutePath(), out.errorString()));
    out.close();
    int questions = 0;
    try {
        questions = fillBank(out.fileName(), file, options, durable);
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("%1：%2").arg(source, failure.message()));
    }
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (const auto error = replaceFile(out.fileName(), bankPath))
        throw Failure(QStringLiteral("无法写入题库 %1：%2").arg(bankPath, *error));
    out.setAutoRemove(false);
    return questions;
}

} // namespace kemuyi::jet
