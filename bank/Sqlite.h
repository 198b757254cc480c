#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace kemuyi {

// Owns one SQLite connection. Opening failures throw a Failure naming the file; the destructor
// never throws.
class SqliteDb
{
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb &) = delete;
    SqliteDb &operator=(const SqliteDb &) = delete;

    // Read-only opening with SQLite's defensive settings, so a hostile file cannot run
    // functions through views or triggers, nor write through a crafted schema.
    void openReadOnly(const QString &path);
    // Read-write opening (creating the file) for the tools that build banks.
    void openForWriting(const QString &path);
    void close() noexcept;

    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }

    void exec(const char *sql);
    QString lastError() const;

private:
    void open(const QString &path, int flags);

    sqlite3 *m_db = nullptr;
    QString m_path;
};

// Owns one prepared statement; finalised by the destructor, which never throws.
class SqliteStatement
{
public:
    SqliteStatement(const SqliteDb &db, const char *sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    void bind(int index, const QString &text);
    void bind(int index, qint64 value);
    void bindNull(int index);

    // Advances to the next row; false at the end. Errors throw a Failure naming the database.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    int findColumn(const QString &name) const; // case-insensitive; -1 when absent
    bool isNull(int column) const;
    QString text(int column) const;

private:
    const SqliteDb &m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace kemuyi
