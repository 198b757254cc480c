#pragma once

#include "QuestionTable.h"

#include <QStringList>

#include <functional>

namespace kemuyi {

class SqliteDb;

// What the bank tool's commands share: opening a bank to read TK, and walking its rows.

// What keeps TK from being read at all, one entry per missing table or column.
QStringList tkShapeProblems(const SqliteDb &db);

// Opens the bank read-only; a missing table or column is a Failure listing them.
void openReadableBank(SqliteDb &db, const QString &path);

// Calls `visit` with every row of TK, in the table's own order.
void forEachStoredQuestion(const SqliteDb &db, const std::function<void(const StoredQuestion &)> &visit);

} // namespace kemuyi
