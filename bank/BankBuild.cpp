#include "BankTool.h"

#include "QuestionSource.h"
#include "QuestionTable.h"
#include "Sqlite.h"
#include "common/ReplaceFile.h"

#include <QFileInfo>
#include <QTemporaryFile>


namespace kemuyi {

namespace {

const char kCreateReviewedTable[] =
    "CREATE TABLE REVIEWED (ID1 INTEGER NOT NULL, ID2 INTEGER NOT NULL, why TEXT NOT NULL,"
    " PRIMARY KEY (ID1, ID2))";

void insertQuestions(SqliteDb &db, const QVector<Question> &questions)
{
    SqliteStatement insert(db, insertIntoTkSql());
    for (const Question &question : questions) {
        insert.reset();
        bindQuestion(insert, question);
        insert.step();
    }
}

void insertSideValues(SqliteDb &db, Column side, const QVector<Question> &questions)
{
    db.exec(createSideTableSql(side).constData());
    SqliteStatement insert(db, insertIntoSideTableSql(side));
    for (const Question &question : questions) {
        insert.reset();
        insert.bind(1, question.id);
        insert.bind(2, textOf(question, side));
        insert.step();
    }
}

void insertReviewed(SqliteDb &db, const QVector<ReviewedPair> &reviewed)
{
    db.exec(kCreateReviewedTable);
    SqliteStatement pair(db, "INSERT OR REPLACE INTO REVIEWED VALUES (?1, ?2, ?3)");
    for (const ReviewedPair &entry : reviewed) {
        pair.reset();
        pair.bind(1, entry.first);
        pair.bind(2, entry.second);
        pair.bind(3, entry.why);
        pair.step();
    }
}

void fillDatabase(SqliteDb &db, const QVector<Question> &questions, const QVector<ReviewedPair> &reviewed)
{
    db.exec(createTkSql().constData());
    insertQuestions(db, questions);
    insertSideValues(db, Column::Basis, questions);
    // Only for sources that carry them, so a source without them exports as it was written.
    for (const Column side : {Column::Topic, Column::Explain}) {
        if (anyValue(questions, side))
            insertSideValues(db, side, questions);
    }
    if (!reviewed.isEmpty())
        insertReviewed(db, reviewed);
}

} // namespace

ParsedSource buildBank(const QByteArray &source, const QString &bankPath, const QVector<ReviewedPair> &reviewed)
{
    ParsedSource parsed = parseSource(source);
    if (!parsed.ok())
        return parsed;
    QVector<Question> questions;
    questions.reserve(parsed.rows.size());
    for (const SourceRow &row : parsed.rows)
        questions.append(row.question);
    parsed.problems = unknownPairProblems(questions, reviewed);
    if (!parsed.ok())
        return parsed;
    writeBankFile(questions, bankPath, reviewed);
    return parsed;
}

void makeBankFile(const QString &bankPath, const std::function<void(SqliteDb &)> &fill, bool durable)
{
    const QFileInfo target(bankPath);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库：%2").arg(target.absolutePath(), file.errorString()));
    file.close();
    {
        SqliteDb db;
        db.openForWriting(file.fileName());
        db.exec("PRAGMA journal_mode=OFF");
        if (!durable)
            db.exec("PRAGMA synchronous=OFF");
        SqliteTransaction transaction(db);
        fill(db);
        transaction.commit();
    }
    // Temporary files are private to their owner; the bank is read by whoever runs the program.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (const auto error = replaceFile(file.fileName(), bankPath))
        throw Failure(QStringLiteral("无法写入题库 %1：%2").arg(bankPath, *error));
    file.setAutoRemove(false);
}

void writeBankFile(const QVector<Question> &questions, const QString &bankPath,
                   const QVector<ReviewedPair> &reviewed)
{
    makeBankFile(bankPath, [&](SqliteDb &db) {
        try {
            fillDatabase(db, questions, reviewed);
        } catch (const Failure &failure) {
            throw Failure(QStringLiteral("写入题库 %1 失败：%2").arg(bankPath, failure.message()));
        }
    });
}

} // namespace kemuyi
