#pragma once

// Shared by the progress store's sources only: the prepared statement, the damage test and the
// write transaction.

#include "ProgressStore.h"

#include <QByteArray>

#include <sqlite3.h>

namespace kemuyi::progress {

// One prepared statement; finalised when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql)
    {
        m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool prepared() const { return m_rc == SQLITE_OK; }
    Statement &bind(int index, qint64 value)
    {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    Statement &bind(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step()
    {
        m_rc = sqlite3_step(m_stmt);
        return m_rc;
    }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    int rc() const { return m_rc; }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)));
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

inline bool isDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace kemuyi::progress

namespace kemuyi {

// BEGIN IMMEDIATE takes the write lock up front, so two instances queue instead of one failing
// half way; the destructor rolls back whatever was not committed.
class ProgressStore::Transaction
{
public:
    explicit Transaction(ProgressStore &store) : m_store(store) { store.exec("BEGIN IMMEDIATE"); }
    ~Transaction()
    {
        if (!m_done)
            sqlite3_exec(m_store.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit()
    {
        m_store.exec("COMMIT");
        m_done = true;
    }

private:
    ProgressStore &m_store;
    bool m_done = false;
};

} // namespace kemuyi
