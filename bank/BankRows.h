#pragma once

#include "BankReview.h"
#include "QuestionTable.h"

#include <QHash>
#include <QStringList>
#include <QVector>

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

bool hasTable(const SqliteDb &db, const QString &name);

// The values of a side table (basis, topic or explain) by id; empty when the bank has no such table.
QHash<qint64, QString> readSideTable(const SqliteDb &db, Column side);

// The pairs a reviewer found alike in words but asking different things; none without the table.
QVector<ReviewedPair> readReviewed(const SqliteDb &db);

} // namespace kemuyi
