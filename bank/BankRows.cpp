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

} // namespace kemuyi
