#pragma once

#include "Question.h"

#include <QByteArray>
#include <QStringList>

namespace kemuyi {

class SqliteDb;
class SqliteStatement;

// Table TK as the program and the bank tool read and write it. Every statement on TK names its
// columns through tkColumnList, so a row read back always has them in Column order.

// The columns of TK quoted for SQL, in Column order: "ID", "TYPE", … "answer".
QByteArray tkColumnList();

// SELECT of every TK column from TK, for a statement to extend with WHERE and ORDER BY.
QByteArray selectFromTk();

// TK as the bank tool builds it: an integer key and text everywhere else. A bank converted from
// another database keeps its NULLs (`nullable`), so the program meets them as it would there.
QByteArray createTkSql(bool nullable = false);

// The side tables for the source's columns after TK's (basis in BASIS, topic in TOPIC, explain
// in EXPLAIN): ID and the value, one row per question.
QString sideTableName(Column side);
QByteArray createSideTableSql(Column side);
QByteArray insertIntoSideTableSql(Column side);
// Every row of the side table, and one question's value (bound as ?1) from it.
QByteArray selectSideTableSql(Column side);
QByteArray selectSideValueSql(Column side);
// Whether the side table has its columns ID and the value. Asked before selectSideValueSql, since
// SQLite reads a quoted name that is no column as a string and would return it as every value.
bool sideTableHasColumns(const SqliteDb &db, Column side);
// INSERT of one question into TK, and binding a question's values to it.
QByteArray insertIntoTkSql();
void bindQuestion(SqliteStatement &insert, const Question &question);

// What the program needs of TK's shape: the table itself (views and the like do not count) and
// each of its columns, named case-insensitively.
struct TkShape
{
    bool exists = false;
    QStringList missingColumns;

    bool usable() const { return exists && missingColumns.isEmpty(); }
};
TkShape inspectTk(const SqliteDb &db);

// One row of TK as stored. A NULL leaves the question's value empty and is recorded in `nulls`;
// an id stored as anything but an integer is kept as text in `storedId`.
struct StoredQuestion
{
    Question question;
    Columns nulls;
    std::optional<QString> storedId;

    bool idIsInteger() const { return !nulls.contains(Column::Id) && !storedId; }
    // The id as the bank holds it, for messages; "?" when it is NULL.
    QString idLabel() const;
};

// Reads the current row of a statement that selects tkColumnList() first.
StoredQuestion readStoredQuestion(const SqliteStatement &statement);
// Reads only the id, from a statement whose first column is ID.
StoredQuestion readStoredId(const SqliteStatement &statement);

} // namespace kemuyi
