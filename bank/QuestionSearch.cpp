#include "QuestionSearch.h"

#include "BankChecks.h"
#include "BankRows.h"
#include "BankStore.h"
#include "BankTool.h"
#include "QuestionTable.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <limits>

namespace kemuyi {

namespace {

const char kIndexTable[] = "TK_SEARCH";

// Options go in one column, a line each, so a phrase never runs from one option into the next.
QString optionsText(const Question &question)
{
    return QStringList{question.a, question.b, question.c, question.d}.join(QLatin1Char('\n'));
}

// Every text column TK is searched in, a line each, as the plain scan reads it.
const char kScannedText[] =
    "(ifnull(TK.subject, '') || char(10) || ifnull(TK.a, '') || char(10) || ifnull(TK.b, '')"
    " || char(10) || ifnull(TK.c, '') || char(10) || ifnull(TK.d, ''))";

// An FTS5 phrase: the word in double quotes, its own quotes doubled, so no character of the
// learner's words is read as query syntax.
QString phrase(const QString &word)
{
    QString quoted = word;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool isShownId(const SqliteStatement &row)
{
    if (row.type(0) != SqliteStatement::Type::Integer)
        return false;
    const qint64 id = row.integer(0);
    return id >= std::numeric_limits<qint32>::min() && id <= std::numeric_limits<qint32>::max();
}

} // namespace

QString searchIndexTable()
{
    return QString::fromLatin1(kIndexTable);
}

void writeSearchIndex(SqliteDb &db, const QVector<Question> &questions)
{
    db.exec((QByteArray("CREATE VIRTUAL TABLE ") + kIndexTable
             + " USING fts5(subject, options, tokenize = 'trigram')").constData());
    SqliteStatement insert(db, QByteArray("INSERT INTO ") + kIndexTable + " (rowid, subject, options) VALUES (?1, ?2, ?3)");
    for (const Question &question : questions) {
        insert.reset();
        insert.bind(1, question.id);
        insert.bind(2, question.subject);
        insert.bind(3, optionsText(question));
        insert.step();
    }
}

bool hasSearchIndex(const SqliteDb &db)
{
    // A table of that name made by something else (or an FTS5 table without the columns used
    // here) does not answer this query; such a bank is treated as one without an index.
    try {
        SqliteStatement probe(db, QByteArray("SELECT rowid, subject, options FROM ") + kIndexTable + " WHERE "
                                      + kIndexTable + " MATCH '\"abc\"' LIMIT 1");
        probe.step();
        return true;
    } catch (const SqliteError &) {
        return false;
    }
}

QString searchIndexSidePath()
{
    const QString copy = workingCopyPath();
    return copy.left(copy.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".idx");
}

namespace {

QVector<Question> searchableRows(const SqliteDb &bank)
{
    QVector<Question> rows;
    forEachStoredQuestion(bank, [&rows](const StoredQuestion &row) {
        if (row.idIsInteger())
            rows.append(row.question);
    });
    return rows;
}

// Written like a bank: under a new name, renamed over the old. No fsync: the file is rebuilt at
// every start, so losing it to a crash costs nothing.
void writeSideFile(const QVector<Question> &rows, const QString &sidePath)
{
    makeBankFile(sidePath, [&rows](SqliteDb &side) { writeSearchIndex(side, rows); }, false);
}

} // namespace

SearchIndexPlace prepareSearchIndex(const QString &bankPath, const QString &sidePath)
{
    if (QFileInfo::exists(sidePath) && !QFile::remove(sidePath))
        throw Failure(QStringLiteral("无法删除旧的搜索索引 %1").arg(sidePath));
    SqliteDb bank;
    refuseForeignFile(bankPath);
    bank.openReadOnly(bankPath);
    if (hasSearchIndex(bank))
        return SearchIndexPlace::InBank;
    verifySchema(bank);
    writeSideFile(searchableRows(bank), sidePath);
    return SearchIndexPlace::SideFile;
}

QStringList searchWords(const QString &query)
{
    QStringList words = query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.removeDuplicates();
    return words;
}

bool indexableWord(const QString &word)
{
    return word.toUcs4().size() >= 3;
}

QuestionSearch::QuestionSearch() = default;
QuestionSearch::~QuestionSearch() = default;

void QuestionSearch::open(const QString &bankPath, const QString &sidePath)
{
    m_indexSchema.clear();
    refuseForeignFile(bankPath);
    m_db.openReadOnly(bankPath);
    m_hasTopics = hasTable(m_db, sideTableName(Column::Topic));
    if (hasSearchIndex(m_db)) {
        m_indexSchema = QStringLiteral("main");
        return;
    }
    if (sidePath.isEmpty() || !QFileInfo::exists(sidePath))
        return;
    // Attached files open with the connection's own flags: read-only, like the bank.
    refuseForeignFile(sidePath);
    SqliteStatement attach(m_db, "ATTACH DATABASE ?1 AS side");
    attach.bind(1, sidePath);
    attach.step();
    SqliteStatement probe(m_db, QByteArray("SELECT count(*) FROM side.sqlite_schema WHERE name = '") + kIndexTable + "'");
    if (probe.step() && probe.integer(0) == 1)
        m_indexSchema = QStringLiteral("side");
}

QVector<SearchHit> QuestionSearch::find(const QString &query, const QString &categoryCode, int limit)
{
    const QStringList words = searchWords(query);
    if (words.isEmpty())
        return {};
    QStringList throughIndex;
    QStringList scanned;
    for (const QString &word : words)
        (indexed() && indexableWord(word) ? throughIndex : scanned).append(word);

    // ?1 the category; ?2 the index's phrases; then one parameter per scanned word.
    QByteArray sql = "SELECT TK.ID, TK.subject, NULL FROM ";
    if (!throughIndex.isEmpty()) {
        sql += m_indexSchema.toLatin1() + '.' + kIndexTable + " AS found JOIN TK ON TK.ID = found.rowid WHERE found."
               + kIndexTable + " MATCH ?2 AND ";
    } else {
        sql += "TK WHERE ";
    }
    sql += "instr(upper(TK.TYPE), upper(?1)) > 0";
    for (int i = 0; i < scanned.size(); ++i)
        sql += QByteArray(" AND instr(lower(") + kScannedText + "), lower(?" + QByteArray::number(i + 3) + ")) > 0";
    // The index hands its rows over in rowid order, which is the id's: no sort is needed.
    sql += throughIndex.isEmpty() ? " ORDER BY TK.ID" : " ORDER BY found.rowid";
    if (limit >= 0)
        sql += " LIMIT " + QByteArray::number(limit);

    SqliteStatement statement(m_db, sql);
    statement.bind(1, categoryCode);
    if (!throughIndex.isEmpty()) {
        QStringList phrases;
        for (const QString &word : throughIndex)
            phrases.append(phrase(word));
        statement.bind(2, phrases.join(QLatin1Char(' ')));
    }
    for (int i = 0; i < scanned.size(); ++i)
        statement.bind(i + 3, scanned.at(i));

    return readHits(statement);
}

QVector<SearchHit> QuestionSearch::categoryQuestions(const QString &categoryCode)
{
    QByteArray sql = "SELECT TK.ID, TK.subject, ";
    if (m_hasTopics) {
        const QByteArray topic = sideTableName(Column::Topic).toLatin1();
        sql += topic + '.' + columnName(Column::Topic).toLatin1() + " FROM TK LEFT JOIN " + topic + " ON " + topic
               + ".ID = TK.ID";
    } else {
        sql += "NULL FROM TK";
    }
    sql += " WHERE instr(upper(TK.TYPE), upper(?1)) > 0 ORDER BY TK.ID";
    SqliteStatement statement(m_db, sql);
    statement.bind(1, categoryCode);
    return readHits(statement);
}

QVector<SearchHit> QuestionSearch::readHits(SqliteStatement &statement) const
{
    QVector<SearchHit> hits;
    while (statement.step()) {
        if (!isShownId(statement))
            continue;
        const auto text = [&statement](int column) { return statement.isNull(column) ? QString() : statement.text(column); };
        hits.append({qint32(statement.integer(0)), text(1), text(2)});
    }
    return hits;
}

} // namespace kemuyi
