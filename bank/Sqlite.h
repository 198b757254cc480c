#pragma once

#include "common/Failure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace kemuyi {

// A failed SQLite call. The message is what the learner reads and says what kind of failure it
// is: a damaged file, a bank another program holds locked, a read error, or a refused query.
// The code is SQLite's extended result code, for callers that decide by kind.
class SqliteError : public Failure
{
public:
    SqliteError(const QString &message, int code, QString reason = {})
        : Failure(message), m_code(code), m_reason(std::move(reason))
    {
    }

    int code() const { return m_code; }
    // SQLite's own words for the failure, without the file's name.
    const QString &reason() const { return m_reason; }
    int primaryCode() const { return m_code & 0xff; }
    // SQLITE_CORRUPT or SQLITE_NOTADB: the file itself is bad, and waiting will not help.
    bool isDamage() const;
    // SQLITE_BUSY or SQLITE_LOCKED: another connection holds the file.
    bool isBusy() const;

private:
    int m_code;
    QString m_reason;
};

// The message for a bank whose file is damaged; the only failure reported in these words.
QString damagedBankMessage(const QString &path, const QString &reason);

// Owns one SQLite connection. Every failure throws a SqliteError naming the file; the
// destructor never throws.
class SqliteDb
{
public:
    // `subject` is what the learner calls the file in messages: a question bank (题库) unless
    // said otherwise.
    explicit SqliteDb(QString subject = QStringLiteral("题库"));
    ~SqliteDb();
    SqliteDb(const SqliteDb &) = delete;
    SqliteDb &operator=(const SqliteDb &) = delete;

    // Read-only opening with SQLite's defensive settings, so a hostile file cannot run
    // functions through views or triggers, nor write through a crafted schema.
    void openReadOnly(const QString &path);
    // Read-write opening (creating the file) for the tools that build banks.
    void openForWriting(const QString &path);
    // Read-write opening of a file the program keeps for the learner and other instances may
    // write at the same time: created when missing, never through a symbolic link, with the
    // defensive settings, and waiting up to `busyMs` for another writer instead of failing.
    void openShared(const QString &path, int busyMs);
    void close() noexcept;

    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }
    const QString &subject() const { return m_subject; }

    void exec(const char *sql);
    QString lastError() const;
    // The rowid of the last row inserted, and the rows changed by the last statement.
    qint64 lastInsertRowid() const;
    int changes() const;

    // Throws the SqliteError for `code` on this connection; `what` says what was being done,
    // for failures that are neither damage, a lock nor a read error.
    [[noreturn]] void fail(int code, const QString &what) const;

private:
    void open(const QString &path, int flags);

    sqlite3 *m_db = nullptr;
    QString m_path;
    QString m_subject;
};

// Owns one prepared statement; finalised by the destructor, which never throws. Every bind, step
// and reset is checked.
class SqliteStatement
{
public:
    SqliteStatement(const SqliteDb &db, const char *sql);
    SqliteStatement(const SqliteDb &db, const QByteArray &sql) : SqliteStatement(db, sql.constData()) {}
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    void bind(int index, const QString &text);
    void bind(int index, qint64 value);
    // Named apart from bind(int, qint64), so that an int argument is never ambiguous.
    void bindReal(int index, double value);
    void bindNull(int index);

    // Advances to the next row; false at the end. A failed step leaves the statement reset, so
    // it can run again.
    bool step();
    void reset();

    enum class Type { Integer, Float, Text, Blob, Null };

    int columnCount() const;
    QString columnName(int column) const;
    int findColumn(const QString &name) const; // case-insensitive; -1 when absent
    Type type(int column) const;
    bool isNull(int column) const { return type(column) == Type::Null; }
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    void check(int code, const char *what) const;

    const SqliteDb &m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// A JSON array of values already in JSON form (numbers, arrays), for a statement that takes a
// whole list in one parameter and reads it with json_each: one statement instead of one a value.
QString jsonList(const QStringList &values);

// BEGIN on construction; ROLLBACK on destruction unless commit() went through, so a failure
// between the two leaves the database as it was.
class SqliteTransaction
{
public:
    // Immediate takes the write lock at once, so that two writers queue instead of one failing
    // half way through.
    enum class Begin { Deferred, Immediate };
    explicit SqliteTransaction(SqliteDb &db, Begin begin = Begin::Deferred);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit();

private:
    SqliteDb &m_db;
    bool m_open = true;
};

} // namespace kemuyi
