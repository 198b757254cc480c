#include "BankTool.h"

#include "BankReview.h"
#include "Sqlite.h"
#include "TextTable.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"
#include "picture/JpegCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <algorithm>
#include <functional>
#include <optional>

namespace kemuyi {

namespace {

// The columns of TK the program reads, in source order (the source adds basis after them).
enum Column { Id, Type, Subject, A, B, C, D, Pic, Select, Answer, ColumnCount };

using RawRow = QVector<std::optional<QString>>; // indexed by Column; nullopt for NULL

const QString &columnName(int column)
{
    return sourceColumns().at(column);
}

const char kCreateTables[] =
    "CREATE TABLE TK (ID INTEGER PRIMARY KEY, TYPE TEXT NOT NULL, subject TEXT NOT NULL,"
    " a TEXT NOT NULL, b TEXT NOT NULL, c TEXT NOT NULL, d TEXT NOT NULL, pic TEXT NOT NULL,"
    " \"select\" TEXT NOT NULL, answer TEXT NOT NULL);"
    "CREATE TABLE BASIS (ID INTEGER PRIMARY KEY, basis TEXT NOT NULL);";
// Only for sources that name topics, so a source without them exports as it was written.
const char kCreateTopicTable[] = "CREATE TABLE TOPIC (ID INTEGER PRIMARY KEY, topic TEXT NOT NULL);";

bool anyTopic(const QVector<QuestionRow> &rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const QuestionRow &row) { return !row.topic.isEmpty(); });
}

bool hasTable(const SqliteDb &db, const QString &name);

const char kCreateReviewedTable[] =
    "CREATE TABLE REVIEWED (ID1 INTEGER NOT NULL, ID2 INTEGER NOT NULL, why TEXT NOT NULL,"
    " PRIMARY KEY (ID1, ID2));";

void insertReviewed(SqliteDb &db, const QVector<ReviewedPair> &reviewed)
{
    SqliteStatement pair(db, "INSERT OR REPLACE INTO REVIEWED VALUES (?1, ?2, ?3)");
    for (const ReviewedPair &entry : reviewed) {
        pair.reset();
        pair.bind(1, entry.first);
        pair.bind(2, entry.second);
        pair.bind(3, entry.why);
        pair.step();
    }
}

QVector<ReviewedPair> readReviewed(const SqliteDb &db)
{
    QVector<ReviewedPair> reviewed;
    if (!hasTable(db, QStringLiteral("REVIEWED")))
        return reviewed;
    SqliteStatement statement(db, "SELECT ID1, ID2, why FROM REVIEWED");
    while (statement.step())
        reviewed.append({statement.text(0).toLongLong(), statement.text(1).toLongLong(), statement.text(2)});
    return reviewed;
}

void insertTopics(SqliteDb &db, const QVector<QuestionRow> &rows)
{
    SqliteStatement topic(db, "INSERT INTO TOPIC VALUES (?1, ?2)");
    for (const QuestionRow &row : rows) {
        topic.reset();
        topic.bind(1, row.id);
        topic.bind(2, row.topic);
        topic.step();
    }
}

void insertRows(SqliteDb &db, const QVector<QuestionRow> &rows)
{
    SqliteStatement question(db, "INSERT INTO TK VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    SqliteStatement basis(db, "INSERT INTO BASIS VALUES (?1, ?2)");
    for (const QuestionRow &row : rows) {
        const QString texts[] = {row.type, row.subject, row.a,      row.b,     row.c,
                                 row.d,    row.pic,     row.select, row.answer};
        question.reset();
        question.bind(1, row.id);
        for (int i = 0; i < 9; ++i)
            question.bind(i + 2, texts[i]);
        question.step();
        basis.reset();
        basis.bind(1, row.id);
        basis.bind(2, row.basis);
        basis.step();
    }
}

void fillDatabase(const QString &path, const QVector<QuestionRow> &rows, const QVector<ReviewedPair> &reviewed)
{
    SqliteDb db;
    db.openForWriting(path);
    // The file is thrown away on any failure, so a rollback journal would only leave litter.
    db.exec("PRAGMA journal_mode=OFF");
    db.exec(kCreateTables);
    const bool topics = anyTopic(rows);
    if (topics)
        db.exec(kCreateTopicTable);
    if (!reviewed.isEmpty())
        db.exec(kCreateReviewedTable);
    db.exec("BEGIN");
    insertRows(db, rows);
    if (topics)
        insertTopics(db, rows);
    if (!reviewed.isEmpty())
        insertReviewed(db, reviewed);
    db.exec("COMMIT");
}

bool hasTable(const SqliteDb &db, const QString &name)
{
    SqliteStatement statement(
        db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    statement.bind(1, name);
    return statement.step();
}

// What keeps the program from reading TK at all: the table or one of its columns is missing.
QStringList structureProblems(const SqliteDb &db)
{
    if (!hasTable(db, QStringLiteral("TK")))
        return {QStringLiteral("题库 %1 中没有表 TK").arg(db.path())};
    SqliteStatement statement(db, "SELECT * FROM TK");
    QStringList problems;
    for (int column = 0; column < ColumnCount; ++column) {
        if (statement.findColumn(columnName(column)) < 0)
            problems.append(QStringLiteral("表 TK 缺少字段 %1").arg(columnName(column)));
    }
    return problems;
}

void openBank(SqliteDb &db, const QString &path)
{
    db.openReadOnly(path);
    const QStringList problems = structureProblems(db);
    if (!problems.isEmpty())
        throw Failure(problems.join(QLatin1Char('\n')));
}

void forEachRow(const SqliteDb &db, const std::function<void(const RawRow &)> &visit)
{
    SqliteStatement statement(db, "SELECT * FROM TK");
    int index[ColumnCount];
    for (int column = 0; column < ColumnCount; ++column)
        index[column] = statement.findColumn(columnName(column));
    RawRow row(ColumnCount);
    while (statement.step()) {
        for (int column = 0; column < ColumnCount; ++column) {
            const int i = index[column];
            row[column] = statement.isNull(i) ? std::nullopt : std::optional(statement.text(i));
        }
        visit(row);
    }
}

QuestionRow questionFrom(const RawRow &raw, qint64 id)
{
    QuestionRow row;
    row.id = id;
    row.type = raw[Type].value_or(QString());
    row.subject = raw[Subject].value_or(QString());
    row.a = raw[A].value_or(QString());
    row.b = raw[B].value_or(QString());
    row.c = raw[C].value_or(QString());
    row.d = raw[D].value_or(QString());
    row.pic = raw[Pic].value_or(QString());
    row.select = raw[Select].value_or(QString());
    row.answer = raw[Answer].value_or(QString());
    return row;
}

// Finds each picture once, however many questions share it.
class PictureCheck
{
public:
    explicit PictureCheck(const QString &assetsDir) : m_dir(assetsDir) {}

    std::optional<QString> problem(const QString &pic)
    {
        if (const auto known = m_results.constFind(pic); known != m_results.constEnd())
            return *known;
        const std::optional<QString> result = findProblem(pic);
        m_results.insert(pic, result);
        return result;
    }

private:
    std::optional<QString> findProblem(const QString &pic) const
    {
        const QString relative = QStringLiteral("pic/%1.jpg").arg(pic);
        const QString path = resolveAssetPath(QDir(m_dir).filePath(relative));
        if (!QFileInfo(path).isFile())
            return QStringLiteral("插图 %1 在 %2 中不存在").arg(relative, m_dir);
        try {
            decodeJpegFile(path);
        } catch (const Failure &failure) {
            return QStringLiteral("插图 %1 无法解码：%2").arg(relative, failure.message());
        }
        return std::nullopt;
    }

    QString m_dir;
    QHash<QString, std::optional<QString>> m_results;
};

class RowCheck
{
public:
    explicit RowCheck(const QString &assetsDir)
    {
        if (!assetsDir.isEmpty())
            m_pictures.emplace(assetsDir);
    }

    void check(const RawRow &raw)
    {
        ++m_ordinal;
        const std::optional<qint64> id = checkId(raw[Id]);
        const QString label = id ? QStringLiteral("题号 %1：").arg(*id)
                                 : QStringLiteral("第 %1 条记录：").arg(m_ordinal);
        bool hasNull = false;
        for (int column = Type; column < ColumnCount; ++column) {
            if (!raw[column]) {
                m_problems.append(label + QStringLiteral("字段 %1 为空值（NULL）").arg(columnName(column)));
                hasNull = true;
            }
        }
        if (hasNull)
            return; // the rules below would only repeat the NULL in other words
        const QuestionRow row = questionFrom(raw, id.value_or(0));
        m_rows.append(row);
        for (const QString &problem : questionProblems(row))
            m_problems.append(label + problem);
        if (m_pictures && !row.pic.isEmpty() && !isUnsafePictureName(row.pic)) {
            if (const auto problem = m_pictures->problem(row.pic))
                m_problems.append(label + *problem);
        }
    }

    const QStringList &problems() const { return m_problems; }
    // The rows without a NULL, for the rules that look at the bank as a whole.
    const QVector<QuestionRow> &rows() const { return m_rows; }

private:
    // The program reads ids as text and converts them to 32-bit integers.
    std::optional<qint64> checkId(const std::optional<QString> &text)
    {
        const QString prefix = QStringLiteral("第 %1 条记录：").arg(m_ordinal);
        if (!text) {
            m_problems.append(prefix + QStringLiteral("题号（ID）为空值（NULL）"));
            return std::nullopt;
        }
        bool ok = false;
        const qint32 id = text->toInt(&ok);
        if (!ok || id <= 0) {
            m_problems.append(prefix + QStringLiteral("题号“%1”不是正整数").arg(*text));
            return std::nullopt;
        }
        if (const auto earlier = m_ordinalOfId.constFind(id); earlier != m_ordinalOfId.constEnd()) {
            m_problems.append(prefix + QStringLiteral("题号 %1 与第 %2 条记录重复").arg(id).arg(*earlier));
        } else {
            m_ordinalOfId.insert(id, m_ordinal);
        }
        return id;
    }

    std::optional<PictureCheck> m_pictures;
    QHash<qint64, int> m_ordinalOfId;
    QStringList m_problems;
    QVector<QuestionRow> m_rows;
    int m_ordinal = 0;
};

// An id stored as text looks right when read, but sorts as text and is never found when the
// program selects a question by its number.
QStringList textIdProblems(const SqliteDb &db)
{
    QStringList problems;
    SqliteStatement statement(db, "SELECT ID FROM TK WHERE typeof(ID) NOT IN ('integer', 'null')");
    while (statement.step()) {
        bool number = false;
        statement.text(0).toInt(&number);
        if (number) // anything else is already reported as no number at all
            problems.append(QStringLiteral("题号“%1”不是以整数保存的，程序按题号找不到这道题").arg(statement.text(0)));
    }
    return problems;
}

// The side table `table` (ID and `column`) by id; empty when the bank has no such table.
QHash<qint64, QString> readSideTable(const SqliteDb &db, const char *table, const char *column)
{
    QHash<qint64, QString> values;
    const QString tableName = QString::fromLatin1(table);
    const QString columnName = QString::fromLatin1(column);
    if (!hasTable(db, tableName))
        return values;
    SqliteStatement statement(db, QStringLiteral("SELECT * FROM %1").arg(tableName).toUtf8().constData());
    const int idColumn = statement.findColumn(QStringLiteral("ID"));
    const int valueColumn = statement.findColumn(columnName);
    if (idColumn < 0 || valueColumn < 0)
        throw Failure(QStringLiteral("题库 %1 的表 %2 缺少字段 ID 或 %3").arg(db.path(), tableName, columnName));
    while (statement.step()) {
        if (!statement.isNull(idColumn) && !statement.isNull(valueColumn))
            values.insert(statement.text(idColumn).toLongLong(), statement.text(valueColumn));
    }
    return values;
}

QuestionRow exportableRow(const RawRow &raw)
{
    const QString label = QStringLiteral("题号 %1：").arg(raw[Id].value_or(QStringLiteral("（空值）")));
    bool ok = false;
    const qint64 id = raw[Id] ? raw[Id]->toLongLong(&ok) : 0;
    if (!ok)
        throw Failure(label + QStringLiteral("题号不是整数，无法导出"));
    for (int column = Type; column < ColumnCount; ++column) {
        if (!raw[column])
            throw Failure(label + QStringLiteral("字段 %1 为空值（NULL），无法导出").arg(columnName(column)));
    }
    return questionFrom(raw, id);
}

} // namespace

ParsedSource buildBank(const QByteArray &source, const QString &bankPath,
                       const QVector<ReviewedPair> &reviewed)
{
    ParsedSource parsed = parseSource(source);
    if (!parsed.ok())
        return parsed;
    QVector<QuestionRow> rows;
    rows.reserve(parsed.rows.size());
    for (const SourceRow &row : parsed.rows)
        rows.append(row.question);
    parsed.problems = unknownPairProblems(rows, reviewed);
    if (!parsed.ok())
        return parsed;
    writeBankFile(rows, bankPath, reviewed);
    return parsed;
}

void writeBankFile(const QVector<QuestionRow> &rows, const QString &bankPath,
                   const QVector<ReviewedPair> &reviewed)
{
    const QFileInfo target(bankPath);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库：%2").arg(target.absolutePath(), file.errorString()));
    file.close();
    try {
        fillDatabase(file.fileName(), rows, reviewed);
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("写入题库 %1 失败：%2").arg(bankPath, failure.message()));
    }
    // Temporary files are private to their owner; the bank is read by whoever runs the program.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (const auto error = replaceFile(file.fileName(), bankPath))
        throw Failure(QStringLiteral("无法写入题库 %1：%2").arg(bankPath, *error));
    file.setAutoRemove(false);
}

QStringList checkBank(const QString &bankPath, const QString &assetsDir)
{
    if (!assetsDir.isEmpty() && !QFileInfo(assetsDir).isDir())
        throw Failure(QStringLiteral("素材目录 %1 不存在").arg(assetsDir));
    SqliteDb db;
    db.openReadOnly(bankPath);
    const QStringList structure = structureProblems(db);
    if (!structure.isEmpty())
        return structure;
    RowCheck check(assetsDir);
    forEachRow(db, [&](const RawRow &row) { check.check(row); });
    return check.problems() + textIdProblems(db) + answerBalanceProblems(check.rows())
           + nearDuplicateProblems(check.rows(), readReviewed(db));
}

QVector<CategoryStats> bankStats(const QString &bankPath)
{
    SqliteDb db;
    openBank(db, bankPath);
    QVector<CategoryStats> stats;
    for (const QString &code : categoryCodes())
        stats.append(CategoryStats{code});
    stats.append(CategoryStats{QStringLiteral("合计")});
    forEachRow(db, [&](const RawRow &raw) {
        const QuestionRow row = questionFrom(raw, 0);
        for (int i = 0; i < stats.size(); ++i) {
            const bool total = i == stats.size() - 1;
            if (!total && !servesCategory(row.type, stats[i].code))
                continue;
            CategoryStats &entry = stats[i];
            ++entry.questions;
            entry.choice += row.select == QLatin1String("Y");
            entry.judge += row.select == QLatin1String("N");
            entry.withPicture += !row.pic.isEmpty();
        }
    });
    return stats;
}

QString statsTable(const QVector<CategoryStats> &stats)
{
    QVector<QStringList> cells = {{QStringLiteral("类别"), QStringLiteral("题数"), QStringLiteral("选择题"),
                                   QStringLiteral("判断题"), QStringLiteral("有插图")}};
    for (const CategoryStats &entry : stats) {
        cells.append({entry.code, QString::number(entry.questions), QString::number(entry.choice),
                      QString::number(entry.judge), QString::number(entry.withPicture)});
    }
    return textTable(cells);
}

QString topicStatsTable(const QString &bankPath)
{
    SqliteDb db;
    openBank(db, bankPath);
    const QHash<qint64, QString> topic = readSideTable(db, "TOPIC", "topic");
    if (topic.isEmpty())
        return QString();
    QVector<QuestionRow> rows;
    forEachRow(db, [&](const RawRow &raw) {
        QuestionRow row = questionFrom(raw, raw[Id].value_or(QString()).toLongLong());
        row.topic = topic.value(row.id);
        rows.append(row);
    });
    return topicTable(rows);
}

QVector<QuestionRow> readBankRows(const QString &bankPath)
{
    SqliteDb db;
    openBank(db, bankPath);
    QVector<QuestionRow> rows;
    forEachRow(db, [&](const RawRow &raw) { rows.append(exportableRow(raw)); });
    const QHash<qint64, QString> basis = readSideTable(db, "BASIS", "basis");
    const QHash<qint64, QString> topic = readSideTable(db, "TOPIC", "topic");
    for (QuestionRow &row : rows) {
        row.basis = basis.value(row.id);
        row.topic = topic.value(row.id);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const QuestionRow &left, const QuestionRow &right) { return left.id < right.id; });
    return rows;
}

QByteArray exportBank(const QString &bankPath)
{
    return sourceBytes(readBankRows(bankPath));
}

} // namespace kemuyi
