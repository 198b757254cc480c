#include "ProgressStore.h"

#include "common/Failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace kemuyi {

namespace {

// "kmyp" in the file header tells our progress files from any other SQLite file.
constexpr int kApplicationId = 0x6b6d7970;
// 2: memory states, the answer log and the daily tallies; 3: favourites and stopped runs.
constexpr int kSchemaVersion = 3;
// Another instance's write takes milliseconds; waiting this long means something is stuck.
constexpr int kBusyWaitMs = 5000;

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS book ("
    " bank TEXT NOT NULL, question INTEGER NOT NULL, streak INTEGER NOT NULL,"
    " added INTEGER NOT NULL, last_run INTEGER NOT NULL DEFAULT 0, last_showing INTEGER NOT NULL DEFAULT 0,"
    " last_right INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (bank, question)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS sitting ("
    " id INTEGER PRIMARY KEY, bank TEXT NOT NULL, category TEXT NOT NULL,"
    " started INTEGER NOT NULL, questions INTEGER NOT NULL, minutes INTEGER NOT NULL,"
    " points INTEGER NOT NULL, pass_mark INTEGER NOT NULL,"
    " finished INTEGER, score INTEGER, passed INTEGER, timed_out INTEGER, duration INTEGER, discarded INTEGER);"
    "CREATE TABLE IF NOT EXISTS paper ("
    " sitting INTEGER NOT NULL, position INTEGER NOT NULL, question INTEGER NOT NULL,"
    " correct INTEGER NOT NULL, choice INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (sitting, position)) WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS sitting_by_category ON sitting (category, finished);"
    // Each question's memory state with its counted answers, the counted answers themselves
    // (the estimate's recent answers, read newest first by rowid: no index to write at every
    // answer) and their tally per local day (the statistics).
    "CREATE TABLE IF NOT EXISTS memory ("
    " bank TEXT NOT NULL, question INTEGER NOT NULL, stability REAL NOT NULL, difficulty REAL NOT NULL,"
    " last_seen INTEGER NOT NULL, reviews INTEGER NOT NULL, lapses INTEGER NOT NULL,"
    " run INTEGER NOT NULL, showing INTEGER NOT NULL, answers INTEGER NOT NULL, rights INTEGER NOT NULL,"
    " PRIMARY KEY (bank, question)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS answer ("
    " id INTEGER PRIMARY KEY, bank TEXT NOT NULL, category TEXT NOT NULL, question INTEGER NOT NULL,"
    " at INTEGER NOT NULL, right INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS day ("
    " bank TEXT NOT NULL, category TEXT NOT NULL, day INTEGER NOT NULL, answers INTEGER NOT NULL,"
    " rights INTEGER NOT NULL, PRIMARY KEY (bank, category, day)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS setting (name TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
    // The study centre's: favourites in the order they were added, and each category's runs as
    // they stood when the learner last moved in them.
    "CREATE TABLE IF NOT EXISTS favourite ("
    " seq INTEGER PRIMARY KEY, bank TEXT NOT NULL, question INTEGER NOT NULL, added INTEGER NOT NULL,"
    " UNIQUE (bank, question));"
    "CREATE TABLE IF NOT EXISTS stopped_run ("
    " bank TEXT NOT NULL, category TEXT NOT NULL, mode TEXT NOT NULL, title TEXT NOT NULL,"
    " questions TEXT NOT NULL, position INTEGER NOT NULL, updated INTEGER NOT NULL,"
    " PRIMARY KEY (bank, category, mode)) WITHOUT ROWID;";

// What version 2 added to the tables of a version 1 file; its new tables come with kSchema.
const char kUpgradeFrom1[] =
    "ALTER TABLE book ADD COLUMN last_run INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE book ADD COLUMN last_showing INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE book ADD COLUMN last_right INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE sitting ADD COLUMN discarded INTEGER;";

// Why the folder could not be made, in the learner's words; empty when it exists now.
QString makeFolder(const QString &folder)
{
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (!error && QFileInfo(folder).isDir())
        return {};
    if (error == std::errc::not_a_directory || error == std::errc::file_exists || !error)
        return QStringLiteral("路径中有同名的文件");
    if (error == std::errc::permission_denied || error == std::errc::read_only_file_system)
        return QStringLiteral("没有写入权限");
    return QString::fromStdString(error.message());
}

// Written beside the file at each clean close: the file's size and modification time then.
QString cleanCloseRecordPath(const QString &path)
{
    return path + QStringLiteral("-closed");
}

// The file's size and modification time (to the nanosecond), as the record holds them; empty
// when the file cannot be looked at.
QByteArray fileState(const QString &path)
{
    namespace fs = std::filesystem;
    const fs::path file = QFile::encodeName(path).toStdString();
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error)
        return {};
    const fs::file_time_type modified = fs::last_write_time(file, error);
    if (error)
        return {};
    return QByteArray::number(qulonglong(size)) + ' ' + QByteArray::number(qlonglong(modified.time_since_epoch().count()));
}

} // namespace

QString progressStorePath()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/kemuyi/progress.db");
}

ProgressStore::ProgressStore(const QString &path) : m_path(path), m_db(QStringLiteral("学习记录文件"))
{
    open();
}

ProgressStore::~ProgressStore()
{
    if (!m_db.isOpen())
        return;
    // Statements still prepared would keep the connection, and its journal, open.
    m_statements.clear();
    m_db.close();
    recordCleanClose();
}

// Whether the file is as this program left it at its last clean close: no journal left over
// from a run that was killed or is still going on, and the size and modification time recorded
// then. Only a changed file needs its pages checked again.
bool ProgressStore::unchangedSinceCleanClose() const
{
    if (QFileInfo::exists(m_path + QStringLiteral("-wal")))
        return false;
    QFile record(cleanCloseRecordPath(m_path));
    if (!record.open(QIODevice::ReadOnly))
        return false;
    const QByteArray state = fileState(m_path);
    return !state.isEmpty() && record.readAll() == state;
}

// The last connection to close takes the journal with it; while another instance still has the
// file open, the journal stays and that instance records the state at its own close. The record
// replaces the old one in one step, so a kill leaves either of them, and either makes the next
// start check a changed file.
void ProgressStore::recordCleanClose() const
{
    if (QFileInfo::exists(m_path + QStringLiteral("-wal")))
        return;
    const QByteArray state = fileState(m_path);
    QSaveFile record(cleanCloseRecordPath(m_path));
    if (state.isEmpty() || !record.open(QIODevice::WriteOnly) || record.write(state) != state.size())
        return;
    record.commit();
}

void ProgressStore::open()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (const QString reason = makeFolder(folder); !reason.isEmpty())
        throw Failure(QStringLiteral("学习记录文件夹 %1 无法创建（%2）").arg(folder, reason));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QString problem;
    try {
        if (tryOpen(problem))
            return;
        setAside(problem);
        if (tryOpen(problem))
            return;
    } catch (const SqliteError &error) {
        m_db.close();
        throw Failure(QStringLiteral("学习记录文件 %1 无法打开（%2）").arg(m_path, error.reason()));
    }
    throw Failure(QStringLiteral("学习记录文件 %1 无法新建（%2）").arg(m_path, problem));
}

// Opens the file and makes sure it is a sound progress file of ours, creating the tables in an
// empty one. False with `problem` set when the file is damaged or foreign.
bool ProgressStore::tryOpen(QString &problem)
{
    const bool checkPages = !unchangedSinceCleanClose();
    m_db.openShared(m_path, kBusyWaitMs);
    qint64 version = 0;
    try {
        problem = fileProblem(checkPages, version);
    } catch (const SqliteError &error) {
        // The statements are ours and sound, so a plain error while reading is the file's: a
        // header naming a format this SQLite cannot read, or a schema whose parsing runs out of
        // memory, for two. Such a file is set aside like a damaged one (its bytes kept); left in
        // place it would keep every later start from saving.
        const int code = error.primaryCode();
        if (!error.isDamage() && code != SQLITE_ERROR && code != SQLITE_NOMEM)
            throw;
        problem = error.reason();
    }
    if (!problem.isEmpty()) {
        m_db.close();
        return false;
    }
    m_db.exec("PRAGMA journal_mode = WAL");
    m_db.exec("PRAGMA synchronous = NORMAL");
    // A checkpoint waits for the disk; at SQLite's default of 1,000 pages it came every 200 or so
    // answers and made up most of an answer's cost. Every 4,000 pages (16 MB at most, often
    // never: the last connection to close checkpoints anyway) it is four times rarer.
    m_db.exec("PRAGMA wal_autocheckpoint = 4000");
    if (version != kSchemaVersion)
        adoptSchema(version);
    return true;
}

// Header and, when `checkPages`, every page, looked at before anything is written, so that a
// file that is not ours stays exactly as it was. The problem in words; empty for a sound file of
// ours or an empty one, and then `version` is the version of its tables (0 for an empty file).
QString ProgressStore::fileProblem(bool checkPages, qint64 &version)
{
    // Reading the header is the first touch of the file: one that is not a database fails here.
    SqliteStatement header(m_db, "SELECT a.application_id, v.user_version, (SELECT count(*) FROM sqlite_schema)"
                                 " FROM pragma_application_id AS a, pragma_user_version AS v");
    header.step();
    const qint64 id = header.integer(0);
    version = header.integer(1);
    const qint64 tables = header.integer(2);

    if (checkPages) {
        SqliteStatement check(m_db, "PRAGMA quick_check");
        if (!check.step() || check.text(0) != QLatin1String("ok"))
            return QStringLiteral("完整性检查未通过");
    }
    if (id != kApplicationId && (id != 0 || tables != 0))
        return QStringLiteral("不是本程序的学习记录文件");
    if (version > kSchemaVersion)
        return QStringLiteral("由更新版本的程序写成");
    if (id != kApplicationId)
        version = 0;
    return {};
}

// An empty file becomes ours, and a file of the first version gains what the second added. Two
// instances starting on the same file may both get here; the second finds the work done.
void ProgressStore::adoptSchema(qint64 version)
{
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    SqliteStatement current(m_db, "PRAGMA user_version");
    current.step();
    if (current.integer(0) == kSchemaVersion)
        return;
    if (version == 1)
        m_db.exec(kUpgradeFrom1);
    m_db.exec(kSchema);
    m_db.exec(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
    m_db.exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    transaction.commit();
}

// The damaged file and its journal files keep their content under a new name beside it.
void ProgressStore::setAside(const QString &problem)
{
    m_statements.clear();
    m_db.close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_path + QStringLiteral(".bad-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_path + QStringLiteral(".bad-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_path, aside))
        throw Failure(QStringLiteral("学习记录文件 %1 无法使用（%2），也无法改名保存").arg(m_path, problem));
    QFile::remove(cleanCloseRecordPath(m_path));
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString journal = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(journal))
            QFile::rename(journal, aside + QLatin1String(suffix));
    }
    m_notice = QStringLiteral("学习记录文件 %1 无法使用（%2），已改名保存为 %3，学习记录将重新开始。")
                   .arg(m_path, problem, aside);
}

} // namespace kemuyi

namespace kemuyi {

SqliteStatement &ProgressStore::statement(const char *sql) const
{
    std::unique_ptr<SqliteStatement> &kept = m_statements[sql];
    if (!kept)
        kept = std::make_unique<SqliteStatement>(m_db, sql);
    kept->reset();
    return *kept;
}

} // namespace kemuyi
