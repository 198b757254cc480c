#pragma once

#include <QString>

namespace kemuyi {

class SqliteDb;

// What the store makes sure of before it reads a bank, each a Failure naming the file.

// In a temporary folder shared with other users, someone else could plant a file or a link at
// the working copy's fixed name; such a file is not ours to read.
void refuseForeignFile(const QString &path);

// A bank damaged by a bad download or a full disk is refused at once as "题库文件已损坏",
// instead of failing later in some query. A bank that is locked or cannot be read is reported
// as what it is, since it is not damaged and may well work a moment later.
void verifyIntegrity(const SqliteDb &db);

// Refuses a bank without table TK or with one of its columns missing, naming the first.
void verifySchema(const SqliteDb &db);

} // namespace kemuyi
