#include "BankRows.h"

#include "Sqlite.h"

namespace kemuyi {

QStringList tkShapeProblems(const SqliteDb &db)
{
    const TkShape shape = inspectTk(db);
    if (!shape.exists)
        return {QStringLiteral("题库 %1 中没有表 TK").arg(db.path())};
    QStringList problems;
    for (const QString &column : shape.missingColumns)
        problems.append(QStringLiteral("表 TK 缺少字段 %1").arg(column));
    return problems;
}

void openReadableBank(SqliteDb &db, const QString &path)
{
    db.openReadOnly(path);
    const QStringList problems = tkShapeProblems(db);
    if (!problems.isEmpty())
        throw Failure(problems.join(QLatin1Char('\n')));
}

void forEachStoredQuestion(const SqliteDb &db, const std::function<void(const StoredQuestion &)> &visit)
{
    SqliteStatement statement(db, selectFromTk());
    while (statement.step())
        visit(readStoredQuestion(statement));
}

bool hasTable(const SqliteDb &db, const QString &name)
{
    SqliteStatement statement(
        db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    statement.bind(1, name);
    return statement.step();
}

namespace {

// Ids are integers in a built bank; one made by hand may hold them as text.
qint64 idIn(const SqliteStatement &statement, int column)
{
    if (statement.type(column) == SqliteStatement::Type::Integer)
        return statement.integer(column);
    return statement.text(column).toLongLong();
}

} // namespace

QHash<qint64, QString> readSideTable(const SqliteDb &db, Column side)
{
    QHash<qint64, QString> values;
    const QString table = sideTableName(side);
    if (!hasTable(db, table))
        return values;
    SqliteStatement statement(db, selectSideTableSql(side));
    const int idColumn = statement.findColumn(columnName(Column::Id));
    const int valueColumn = statement.findColumn(columnName(side));
    if (idColumn < 0 || valueColumn < 0)
        throw Failure(QStringLiteral("题库 %1 的表 %2 缺少字段 ID 或 %3").arg(db.path(), table, columnName(side)));
    while (statement.step()) {
        if (!statement.isNull(idColumn) && !statement.isNull(valueColumn))
            values.insert(idIn(statement, idColumn), statement.text(valueColumn));
    }
    return values;
}

QVector<ReviewedPair> readReviewed(const SqliteDb &db)
{
    QVector<ReviewedPair> reviewed;
    if (!hasTable(db, QStringLiteral("REVIEWED")))
        return reviewed;
    SqliteStatement statement(db, "SELECT ID1, ID2, why FROM REVIEWED");
    while (statement.step())
        reviewed.append({idIn(statement, 0), idIn(statement, 1), statement.text(2)});
    return reviewed;
}

} // namespace kemuyi
