#include "QuestionTable.h"

#include "Sqlite.h"

namespace kemuyi {

namespace {

QByteArray quoted(Column column)
{
    return '"' + columnName(column).toUtf8() + '"';
}

} // namespace

QByteArray tkColumnList()
{
    QByteArray list;
    for (int i = 0; i < kTkColumnCount; ++i)
        list += (i ? ", " : "") + quoted(Column(i));
    return list;
}

QByteArray selectFromTk()
{
    return "SELECT " + tkColumnList() + " FROM TK";
}

QByteArray createTkSql(bool nullable)
{
    QByteArray tk = "CREATE TABLE TK (" + quoted(Column::Id) + " INTEGER PRIMARY KEY";
    for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i)
        tk += ", " + quoted(Column(i)) + (nullable ? " TEXT" : " TEXT NOT NULL");
    return tk + ")";
}

QString sideTableName(Column side)
{
    Q_ASSERT(int(side) >= kTkColumnCount);
    return columnName(side).toUpper();
}

namespace {

// EXPLAIN is also an SQL keyword, so side tables are always named in quotes.
QByteArray quotedTable(Column side)
{
    return '"' + sideTableName(side).toUtf8() + '"';
}

} // namespace

QByteArray createSideTableSql(Column side)
{
    return "CREATE TABLE " + quotedTable(side) + " (" + quoted(Column::Id) + " INTEGER PRIMARY KEY, "
           + quoted(side) + " TEXT NOT NULL)";
}

QByteArray insertIntoSideTableSql(Column side)
{
    return "INSERT INTO " + quotedTable(side) + " VALUES (?1, ?2)";
}

QByteArray selectSideTableSql(Column side)
{
    return "SELECT * FROM " + quotedTable(side);
}

QByteArray selectSideValueSql(Column side)
{
    return "SELECT " + quoted(side) + " FROM " + quotedTable(side) + " WHERE " + quoted(Column::Id) + " = ?1";
}

QByteArray insertIntoTkSql()
{
    QByteArray values;
    for (int i = 0; i < kTkColumnCount; ++i)
        values += (i ? ", ?" : "?") + QByteArray::number(i + 1);
    return "INSERT INTO TK (" + tkColumnList() + ") VALUES (" + values + ")";
}

void bindQuestion(SqliteStatement &insert, const Question &question)
{
    insert.bind(1, question.id);
    for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i)
        insert.bind(i + 1, textOf(question, Column(i)));
}

TkShape inspectTk(const SqliteDb &db)
{
    TkShape shape;
    SqliteStatement table(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'TK' COLLATE NOCASE");
    shape.exists = table.step();
    if (!shape.exists)
        return shape;
    QStringList present;
    SqliteStatement info(db, "PRAGMA table_info(TK)");
    const int nameColumn = info.findColumn(QStringLiteral("name"));
    while (info.step())
        present.append(info.text(nameColumn));
    for (int i = 0; i < kTkColumnCount; ++i) {
        if (!present.contains(columnName(Column(i)), Qt::CaseInsensitive))
            shape.missingColumns.append(columnName(Column(i)));
    }
    return shape;
}

bool sideTableHasColumns(const SqliteDb &db, Column side)
{
    QStringList present;
    SqliteStatement info(db, "PRAGMA table_info(" + quotedTable(side) + ")");
    const int nameColumn = info.findColumn(QStringLiteral("name"));
    while (info.step())
        present.append(info.text(nameColumn));
    return present.contains(columnName(Column::Id), Qt::CaseInsensitive)
           && present.contains(columnName(side), Qt::CaseInsensitive);
}

QString StoredQuestion::idLabel() const
{
    if (nulls.contains(Column::Id))
        return QStringLiteral("?");
    return storedId.value_or(QString::number(question.id));
}

StoredQuestion readStoredId(const SqliteStatement &statement)
{
    StoredQuestion stored;
    switch (statement.type(int(Column::Id))) {
    case SqliteStatement::Type::Integer:
        stored.question.id = statement.integer(int(Column::Id));
        break;
    case SqliteStatement::Type::Null:
        stored.nulls.insert(Column::Id);
        break;
    default:
        stored.storedId = statement.text(int(Column::Id));
        break;
    }
    return stored;
}

StoredQuestion readStoredQuestion(const SqliteStatement &statement)
{
    StoredQuestion stored = readStoredId(statement);
    for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i) {
        if (statement.isNull(i))
            stored.nulls.insert(Column(i));
        else
            textOf(stored.question, Column(i)) = statement.text(i);
    }
    return stored;
}

} // namespace kemuyi
