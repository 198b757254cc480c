#include "ProgressSql.h"

#include "common/Failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace kemuyi {

namespace {

// "kmyp" in the file header tells our progress files from any other SQLite file.
constexpr int kApplicationId = 0x6b6d7970;
constexpr int kSchemaVersion = 1;

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS book ("
    " bank TEXT NOT NULL, question INTEGER NOT NULL, streak INTEGER NOT NULL,"
    " added INTEGER NOT NULL, PRIMARY KEY (bank, question)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS sitting ("
    " id INTEGER PRIMARY KEY, bank TEXT NOT NULL, category TEXT NOT NULL,"
    " started INTEGER NOT NULL, questions INTEGER NOT NULL, minutes INTEGER NOT NULL,"
    " points INTEGER NOT NULL, pass_mark INTEGER NOT NULL,"
    " finished INTEGER, score INTEGER, passed INTEGER, timed_out INTEGER, duration INTEGER);"
    "CREATE TABLE IF NOT EXISTS paper ("
    " sitting INTEGER NOT NULL, position INTEGER NOT NULL, question INTEGER NOT NULL,"
    " correct INTEGER NOT NULL, choice INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (sitting, position)) WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS sitting_by_category ON sitting (category, finished);";

} // namespace

using progress::isDamage;
using progress::Statement;

QString progressStorePath()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/kemuyi/progress.db");
}

ProgressStore::ProgressStore(const QString &path) : m_path(path)
{
    open();
}

ProgressStore::~ProgressStore()
{
    sqlite3_close_v2(m_db);
}

void ProgressStore::fail(const QString &what) const
{
    const QString reason = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("无法打开");
    throw Failure(QStringLiteral("学习记录文件 %1 %2失败：%3").arg(m_path, what, reason));
}

void ProgressStore::exec(const char *sql)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(QStringLiteral("写入"));
}

void ProgressStore::open()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("无法创建学习记录文件夹 %1").arg(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QString problem;
    if (tryOpen(problem))
        return;
    setAside(problem);
    if (!tryOpen(problem))
        throw Failure(QStringLiteral("无法新建学习记录文件 %1：%2").arg(m_path, problem));
}

// Opens the file and makes sure it is a sound progress file of ours, creating the tables in an
// empty one. False with `problem` set when the file is damaged or foreign.
bool ProgressStore::tryOpen(QString &problem)
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    const int rc = sqlite3_open_v2(m_path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        if (isDamage(rc)) {
            problem = QString::fromUtf8(sqlite3_errstr(rc));
            return false;
        }
        fail(QStringLiteral("打开"));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);

    if (!checkFile(problem))
        return false;
    Statement journal(m_db, "PRAGMA journal_mode = WAL");
    if (!journal.prepared() || journal.step() != SQLITE_ROW)
        fail(QStringLiteral("设置日志模式"));
    journal.reset();
    exec("PRAGMA synchronous = NORMAL");
    return adoptSchema(problem);
}

// Header and pages: false with `problem` set when the file is damaged or carries another id.
bool ProgressStore::checkFile(QString &problem)
{
    // Reading the header is the first touch of the file: a file that is not a database fails here.
    Statement appId(m_db, "PRAGMA application_id");
    if (!appId.prepared() || appId.step() != SQLITE_ROW) {
        const int code = appId.prepared() ? appId.rc() : sqlite3_errcode(m_db);
        if (!isDamage(code))
            fail(QStringLiteral("读取"));
        problem = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    const qint64 id = appId.integer(0);

    Statement check(m_db, "PRAGMA quick_check");
    if (!check.prepared() || check.step() != SQLITE_ROW || check.text(0) != QLatin1String("ok")) {
        const int code = check.prepared() ? check.rc() : sqlite3_errcode(m_db);
        if (code != SQLITE_ROW && !isDamage(code))
            fail(QStringLiteral("检查"));
        problem = code == SQLITE_ROW ? QStringLiteral("完整性检查未通过") : QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }

    if (id != 0 && id != kApplicationId) {
        problem = QStringLiteral("不是本程序的学习记录文件");
        return false;
    }
    appId.reset();
    check.reset();
    // Looked at before anything is written, so a file that is not ours stays exactly as it was.
    return schemaIsOurs(problem);
}

bool ProgressStore::schemaIsOurs(QString &problem)
{
    Statement id(m_db, "PRAGMA application_id");
    Statement version(m_db, "PRAGMA user_version");
    Statement tables(m_db, "SELECT count(*) FROM sqlite_schema");
    if (id.step() != SQLITE_ROW || version.step() != SQLITE_ROW || tables.step() != SQLITE_ROW)
        fail(QStringLiteral("读取"));
    if (id.integer(0) == 0 && tables.integer(0) != 0) {
        problem = QStringLiteral("不是本程序的学习记录文件");
        return false;
    }
    if (version.integer(0) > kSchemaVersion) {
        problem = QStringLiteral("由更新版本的程序写成");
        return false;
    }
    return true;
}

// Inside one write transaction, so that two instances starting on a new file create the
// tables once: an empty file becomes ours; a file with tables but without our id is foreign.
bool ProgressStore::adoptSchema(QString &problem)
{
    Transaction transaction(*this);
    if (!schemaIsOurs(problem))
        return false;
    exec(kSchema);
    exec(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
    exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    transaction.commit();
    return true;
}

// The damaged file and its journal files keep their content under a new name beside it.
void ProgressStore::setAside(const QString &problem)
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_path + QStringLiteral(".bad-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_path + QStringLiteral(".bad-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_path, aside))
        throw Failure(QStringLiteral("学习记录文件 %1 无法使用（%2），也无法改名保存").arg(m_path, problem));
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString journal = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(journal))
            QFile::rename(journal, aside + QLatin1String(suffix));
    }
    m_notice = QStringLiteral("学习记录文件 %1 无法使用（%2），已改名保存为 %3，学习记录将重新开始。")
                   .arg(m_path, problem, aside);
}

} // namespace kemuyi
