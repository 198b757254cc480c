#include "BankTool.h"

#include "QuestionTable.h"
#include "Sqlite.h"
#include "common/ReplaceFile.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace kemuyi {

namespace {

void insertQuestions(SqliteDb &db, const QVector<Question> &questions)
{
    SqliteStatement question(db, insertIntoTkSql());
    SqliteStatement basis(db, "INSERT INTO BASIS VALUES (?1, ?2)");
    for (const Question &row : questions) {
        question.reset();
        bindQuestion(question, row);
        question.step();
        basis.reset();
        basis.bind(1, row.id);
        basis.bind(2, row.basis);
        basis.step();
    }
}

void fillDatabase(const QString &path, const QVector<Question> &questions)
{
    SqliteDb db;
    db.openForWriting(path);
    // The file is thrown away on any failure, so a rollback journal would only leave litter.
    db.exec("PRAGMA journal_mode=OFF");
    db.exec(createBankTablesSql().constData());
    SqliteTransaction transaction(db);
    insertQuestions(db, questions);
    transaction.commit();
}

} // namespace

ParsedSource buildBank(const QByteArray &source, const QString &bankPath)
{
    ParsedSource parsed = parseSource(source);
    if (!parsed.ok())
        return parsed;
    QVector<Question> questions;
    questions.reserve(parsed.rows.size());
    for (const SourceRow &row : parsed.rows)
        questions.append(row.question);
    writeBankFile(questions, bankPath);
    return parsed;
}

void writeBankFile(const QVector<Question> &questions, const QString &bankPath)
{
    const QFileInfo target(bankPath);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库：%2").arg(target.absolutePath(), file.errorString()));
    file.close();
    try {
        fillDatabase(file.fileName(), questions);
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("写入题库 %1 失败：%2").arg(bankPath, failure.message()));
    }
    // Temporary files are private to their owner; the bank is read by whoever runs the program.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (const auto error = replaceFile(file.fileName(), bankPath))
        throw Failure(QStringLiteral("无法写入题库 %1：%2").arg(bankPath, *error));
    file.setAutoRemove(false);
}

} // namespace kemuyi
