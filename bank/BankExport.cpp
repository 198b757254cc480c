#include "BankTool.h"

#include "BankRows.h"
#include "Sqlite.h"

#include <QHash>

#include <algorithm>

namespace kemuyi {

namespace {

bool hasTable(const SqliteDb &db, const QString &name)
{
    SqliteStatement statement(
        db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    statement.bind(1, name);
    return statement.step();
}

qint64 integerIn(const SqliteStatement &statement, int column)
{
    if (statement.type(column) == SqliteStatement::Type::Integer)
        return statement.integer(column);
    return statement.text(column).toLongLong();
}

QHash<qint64, QString> readBasis(const SqliteDb &db)
{
    QHash<qint64, QString> basis;
    if (!hasTable(db, QStringLiteral("BASIS")))
        return basis;
    SqliteStatement statement(db, "SELECT * FROM BASIS");
    const int idColumn = statement.findColumn(columnName(Column::Id));
    const int basisColumn = statement.findColumn(columnName(Column::Basis));
    if (idColumn < 0 || basisColumn < 0)
        throw Failure(QStringLiteral("题库 %1 的表 BASIS 缺少字段 ID 或 basis").arg(db.path()));
    while (statement.step()) {
        if (!statement.isNull(idColumn) && !statement.isNull(basisColumn))
            basis.insert(integerIn(statement, idColumn), statement.text(basisColumn));
    }
    return basis;
}

Question exportable(const StoredQuestion &row)
{
    const QString label = QStringLiteral("题号 %1：")
                              .arg(row.nulls.contains(Column::Id) ? QStringLiteral("（空值）") : row.idLabel());
    Question question = row.question;
    bool ok = row.idIsInteger();
    if (row.storedId)
        question.id = row.storedId->toLongLong(&ok);
    if (!ok)
        throw Failure(label + QStringLiteral("题号不是整数，无法导出"));
    for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i) {
        if (row.nulls.contains(Column(i)))
            throw Failure(label + QStringLiteral("字段 %1 为空值（NULL），无法导出").arg(columnName(Column(i))));
    }
    return question;
}

} // namespace

QVector<Question> readBankRows(const QString &bankPath)
{
    SqliteDb db;
    openReadableBank(db, bankPath);
    QVector<Question> questions;
    forEachStoredQuestion(db, [&](const StoredQuestion &row) { questions.append(exportable(row)); });
    const QHash<qint64, QString> basis = readBasis(db);
    for (Question &question : questions)
        question.basis = basis.value(question.id);
    std::stable_sort(questions.begin(), questions.end(),
                     [](const Question &left, const Question &right) { return left.id < right.id; });
    return questions;
}

QByteArray exportBank(const QString &bankPath)
{
    return sourceBytes(readBankRows(bankPath));
}

} // namespace kemuyi
