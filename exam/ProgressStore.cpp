#include "ProgressStore.h"

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

bool isDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace

QString progressStorePath()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/kemuyi/progress.db");
}

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

void ProgressStore::applyToBook(const QString &bank, qint32 question, bool right)
{
    Statement read(m_db, "SELECT streak FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank).bind(2, question);
    BookState before;
    const int rc = read.step();
    if (rc == SQLITE_ROW)
        before = BookState{true, int(read.integer(0))};
    else if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    const BookState after = afterAnswer(before, right);
    if (after.inBook) {
        Statement write(m_db, "INSERT INTO book (bank, question, streak, added) VALUES (?1, ?2, ?3, ?4)"
                              " ON CONFLICT (bank, question) DO UPDATE SET streak = excluded.streak");
        write.bind(1, bank).bind(2, question).bind(3, after.streak).bind(4, QDateTime::currentMSecsSinceEpoch());
        if (write.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    } else if (before.inBook) {
        Statement remove(m_db, "DELETE FROM book WHERE bank = ?1 AND question = ?2");
        remove.bind(1, bank).bind(2, question);
        if (remove.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    }
}

void ProgressStore::recordAnswer(const QString &bank, qint32 question, bool right)
{
    Transaction transaction(*this);
    applyToBook(bank, question, right);
    transaction.commit();
}

BookState ProgressStore::bookState(const QString &bank, qint32 question) const
{
    Statement read(m_db, "SELECT streak FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank).bind(2, question);
    const int rc = read.step();
    if (rc == SQLITE_ROW)
        return BookState{true, int(read.integer(0))};
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return {};
}

QVector<qint32> ProgressStore::bookQuestions(const QString &bank) const
{
    Statement read(m_db, "SELECT question FROM book WHERE bank = ?1 ORDER BY added, question");
    read.bind(1, bank);
    QVector<qint32> ids;
    int rc;
    while ((rc = read.step()) == SQLITE_ROW)
        ids.append(qint32(read.integer(0)));
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return ids;
}

qint64 ProgressStore::beginSitting(const QString &bank, const QString &category, const ExamSession &session)
{
    Transaction transaction(*this);
    Statement sitting(m_db, "INSERT INTO sitting (bank, category, started, questions, minutes, points, pass_mark)"
                            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const ExamFormat &format = session.format();
    sitting.bind(1, bank).bind(2, category).bind(3, session.startedMs()).bind(4, format.questions)
        .bind(5, format.minutes).bind(6, format.pointsPerQuestion).bind(7, format.passMark);
    if (sitting.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
    const qint64 id = sqlite3_last_insert_rowid(m_db);
    Statement paper(m_db, "INSERT INTO paper (sitting, position, question, correct, choice) VALUES (?1, ?2, ?3, ?4, ?5)");
    for (int i = 0; i < session.size(); ++i) {
        paper.reset();
        paper.bind(1, id).bind(2, i).bind(3, session.question(i).id).bind(4, session.question(i).correct)
            .bind(5, session.choiceAt(i));
        if (paper.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    }
    transaction.commit();
    return id;
}

void ProgressStore::recordSittingAnswer(qint64 sitting, int position, qint32 choice)
{
    Statement write(m_db, "UPDATE paper SET choice = ?3 WHERE sitting = ?1 AND position = ?2");
    write.bind(1, sitting).bind(2, position).bind(3, choice);
    if (write.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
}

void ProgressStore::finishSitting(const QString &bank, qint64 sitting, const ExamSession &session)
{
    if (!session.result())
        return;
    const ExamResult &result = *session.result();
    Transaction transaction(*this);
    Statement done(m_db, "UPDATE sitting SET finished = ?2, score = ?3, passed = ?4, timed_out = ?5, duration = ?6"
                         " WHERE id = ?1 AND finished IS NULL");
    done.bind(1, sitting).bind(2, session.startedMs() + result.durationMs).bind(3, result.score)
        .bind(4, result.passed).bind(5, result.timedOut).bind(6, result.durationMs);
    if (done.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
    // Another instance that resumed the same sitting may have finished it first: count it once.
    if (sqlite3_changes(m_db) == 1) {
        Statement choices(m_db, "UPDATE paper SET choice = ?3 WHERE sitting = ?1 AND position = ?2");
        for (int i = 0; i < session.size(); ++i) {
            const qint32 choice = session.choiceAt(i);
            choices.reset();
            choices.bind(1, sitting).bind(2, i).bind(3, choice);
            if (choices.step() != SQLITE_DONE)
                fail(QStringLiteral("写入"));
            if (choice != 0)
                applyToBook(bank, session.question(i).id, choice == session.question(i).correct);
        }
    }
    transaction.commit();
}

std::optional<StoredSitting> ProgressStore::unfinishedSitting(const QString &bank, const QString &category) const
{
    Statement find(m_db, "SELECT id, started, questions, minutes, points, pass_mark FROM sitting"
                         " WHERE bank = ?1 AND category = ?2 AND finished IS NULL ORDER BY id DESC LIMIT 1");
    find.bind(1, bank).bind(2, category);
    const int rc = find.step();
    if (rc == SQLITE_DONE)
        return std::nullopt;
    if (rc != SQLITE_ROW)
        fail(QStringLiteral("读取"));
    StoredSitting stored;
    stored.id = find.integer(0);
    stored.category = category;
    stored.startedMs = find.integer(1);
    stored.format = ExamFormat{int(find.integer(2)), int(find.integer(3)), int(find.integer(4)), int(find.integer(5))};
    Statement paper(m_db, "SELECT question, correct, choice FROM paper WHERE sitting = ?1 ORDER BY position");
    paper.bind(1, stored.id);
    int step;
    while ((step = paper.step()) == SQLITE_ROW) {
        stored.paper.append(PaperQuestion{qint32(paper.integer(0)), qint32(paper.integer(1))});
        stored.choices.append(qint32(paper.integer(2)));
    }
    if (step != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return stored;
}

QVector<ScoreRecord> ProgressStore::recentScores(const QString &category, int count) const
{
    Statement read(m_db, "SELECT finished, score, passed, timed_out, duration FROM sitting"
                         " WHERE category = ?1 AND finished IS NOT NULL ORDER BY finished DESC, id DESC LIMIT ?2");
    read.bind(1, category).bind(2, count);
    QVector<ScoreRecord> scores;
    int rc;
    while ((rc = read.step()) == SQLITE_ROW) {
        scores.prepend(ScoreRecord{read.integer(0), category, int(read.integer(1)), read.integer(2) != 0,
                                   read.integer(3) != 0, read.integer(4)});
    }
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return scores;
}

} // namespace kemuyi
