#include "Sqlite.h"

#include "common/Failure.h"

#include <sqlite3.h>

namespace kemuyi {

SqliteDb::~SqliteDb()
{
    close();
}

void SqliteDb::open(const QString &path, int flags)
{
    close();
    m_path = path;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db))
                                  : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw Failure(QStringLiteral("无法打开题库 %1：%2").arg(path, reason));
    }
    m_db = db;
    sqlite3_extended_result_codes(m_db, 1);
}

void SqliteDb::openReadOnly(const QString &path)
{
    open(path, SQLITE_OPEN_READONLY);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
}

void SqliteDb::openForWriting(const QString &path)
{
    open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void SqliteDb::close() noexcept
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void SqliteDb::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw Failure(QStringLiteral("题库 %1 出错：%2").arg(m_path, reason));
    }
}

QString SqliteDb::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

SqliteStatement::SqliteStatement(const SqliteDb &db, const char *sql) : m_db(db)
{
    if (!db.isOpen())
        throw Failure(QStringLiteral("题库尚未打开"));
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
        const QString reason = db.lastError();
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw Failure(QStringLiteral("题库 %1 查询失败：%2").arg(db.path(), reason));
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw Failure(QStringLiteral("题库 %1 查询失败：%2").arg(m_db.path(), m_db.lastError()));
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int SqliteStatement::findColumn(const QString &name) const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (columnName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return QString::fromUtf8(data, size);
}

} // namespace kemuyi
