#include "Sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace kemuyi {

namespace {

const QString kBankSubject = QStringLiteral("题库");

// The learner's message for a failure of this kind on the file at `path`, called `subject`.
QString describe(int code, const QString &subject, const QString &path, const QString &reason, const QString &what)
{
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        if (subject == kBankSubject)
            return damagedBankMessage(path, reason);
        return QStringLiteral("%1 %2 已损坏（%3）").arg(subject, path, reason);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("%1 %2 正被其他程序占用，暂时无法读取（%3）").arg(subject, path, reason);
    case SQLITE_IOERR:
        return QStringLiteral("读写%1 %2 时出错（%3）").arg(subject, path, reason);
    default:
        return QStringLiteral("%1 %2 %3：%4").arg(subject, path, what, reason);
    }
}

} // namespace

QString damagedBankMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("题库文件已损坏：%1（%2）").arg(path, reason);
}

bool SqliteError::isDamage() const
{
    return primaryCode() == SQLITE_CORRUPT || primaryCode() == SQLITE_NOTADB;
}

bool SqliteError::isBusy() const
{
    return primaryCode() == SQLITE_BUSY || primaryCode() == SQLITE_LOCKED;
}

SqliteDb::SqliteDb(QString subject) : m_subject(std::move(subject)) {}

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
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db))
                                  : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw SqliteError(QStringLiteral("无法打开%1 %2：%3").arg(m_subject, path, reason), code, reason);
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

void SqliteDb::openShared(const QString &path, int busyMs)
{
    open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW);
    sqlite3_busy_timeout(m_db, busyMs);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
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
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        return;
    const QString reason = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
    sqlite3_free(error);
    const int code = sqlite3_extended_errcode(m_db);
    throw SqliteError(describe(code, m_subject, m_path, reason, QStringLiteral("出错")), code, reason);
}

QString SqliteDb::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

qint64 SqliteDb::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteDb::changes() const
{
    return sqlite3_changes(m_db);
}

void SqliteDb::fail(int code, const QString &what) const
{
    const QString reason = lastError();
    throw SqliteError(describe(code, m_subject, m_path, reason, what), code, reason);
}

SqliteStatement::SqliteStatement(const SqliteDb &db, const char *sql) : m_db(db)
{
    if (!db.isOpen())
        throw Failure(QStringLiteral("%1尚未打开").arg(db.subject()));
    const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        db.fail(sqlite3_extended_errcode(db.handle()), QStringLiteral("查询失败"));
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::check(int code, const char *what) const
{
    if (code != SQLITE_OK)
        m_db.fail(sqlite3_extended_errcode(m_db.handle()), QString::fromUtf8(what));
}

void SqliteStatement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    check(sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT),
          "绑定参数失败");
}

void SqliteStatement::bind(int index, qint64 value)
{
    check(sqlite3_bind_int64(m_stmt, index, value), "绑定参数失败");
}

void SqliteStatement::bindReal(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value), "绑定参数失败");
}

void SqliteStatement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index), "绑定参数失败");
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(m_db.handle());
    const QString reason = m_db.lastError();
    // sqlite3_reset repeats the step's error; it is reported here, once.
    sqlite3_reset(m_stmt);
    throw SqliteError(describe(code, m_db.subject(), m_db.path(), reason, QStringLiteral("查询失败")), code, reason);
}

void SqliteStatement::reset()
{
    check(sqlite3_reset(m_stmt), "查询失败");
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

SqliteStatement::Type SqliteStatement::type(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Float;
    case SQLITE_TEXT:
        return Type::Text;
    case SQLITE_BLOB:
        return Type::Blob;
    default:
        return Type::Null;
    }
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return QString::fromUtf8(data, size);
}

QString jsonList(const QStringList &values)
{
    return QLatin1Char('[') + values.join(QLatin1Char(',')) + QLatin1Char(']');
}

SqliteTransaction::SqliteTransaction(SqliteDb &db, Begin begin) : m_db(db)
{
    m_db.exec(begin == Begin::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

SqliteTransaction::~SqliteTransaction()
{
    if (!m_open)
        return;
    try {
        m_db.exec("ROLLBACK");
    } catch (const Failure &) {
        // Nothing more can be done; the connection discards the transaction when it closes.
    }
}

void SqliteTransaction::commit()
{
    m_db.exec("COMMIT");
    m_open = false;
}

} // namespace kemuyi
