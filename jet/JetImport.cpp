#include "JetImport.h"

#include "bank/BankTool.h"
#include "bank/QuestionTable.h"
#include "bank/Sqlite.h"
#include "common/Failure.h"

#include <QFile>
#include <QSet>

namespace kemuyi::jet {

namespace {

// The largest file the format allows.
constexpr qint64 kMaxJetFile = qint64(2) << 30;

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

// Table TK as the bank tool builds it, but NULL stays possible: the program must meet a NULL
// where the Jet file has one, not an empty text.
int fillBank(SqliteDb &db, const QByteArray &file, const JetReadOptions &options)
{
    db.exec(createTkSql(true).constData());
    SqliteStatement insert(db, insertIntoTkSql());
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
    return ids.size();
}

} // namespace

int importJetBank(const QString &source, const QString &bankPath, const JetReadOptions &options, bool durable)
{
    const QByteArray file = readSource(source);
    int questions = 0;
    makeBankFile(bankPath, [&](SqliteDb &db) {
        try {
            questions = fillBank(db, file, options);
        } catch (const Failure &failure) {
            throw Failure(QStringLiteral("%1：%2").arg(source, failure.message()));
        }
    }, durable);
    return questions;
}

} // namespace kemuyi::jet
