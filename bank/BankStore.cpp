#include "BankStore.h"

#include "BankChecks.h"
#include "BankFormat.h"
#include "BankRows.h"
#include "JetConversion.h"
#include "common/AppPaths.h"
#include "common/FileCopy.h"

#include <limits>

namespace kemuyi {

namespace {

const QByteArray kTypeContains = " WHERE TYPE LIKE '%' || ?1 || '%' ESCAPE '\\'";
const QByteArray kCategoryFilter = selectFromTk() + kTypeContains;
// Only the id is read: a category of a large bank costs a scan of TYPE, not of every column.
const QByteArray kCategoryIds = "SELECT ID FROM TK" + kTypeContains + " ORDER BY ID";
const QByteArray kSelectById = selectFromTk() + " WHERE ID = ?1";

// The code is a plain substring: LIKE's own wildcards in it must match only themselves.
QString likeLiteral(const QString &code)
{
    QString escaped;
    for (const QChar c : code) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

qint32 idOf(const StoredQuestion &row, const QString &bank)
{
    if (row.nulls.contains(Column::Id))
        throw Failure(QStringLiteral("题库 %1 中有题目缺少题号（ID）").arg(bank));
    // A number kept as text sorts as text and is never found by SelectQuestion.
    if (row.storedId)
        throw Failure(QStringLiteral("题库 %1 中的题号“%2”不是以整数保存的").arg(bank, *row.storedId));
    if (row.question.id < std::numeric_limits<qint32>::min() || row.question.id > std::numeric_limits<qint32>::max())
        throw Failure(QStringLiteral("题库 %1 中的题号 %2 超出范围").arg(bank).arg(row.question.id));
    return qint32(row.question.id);
}

// A side table made by hand without its columns is refused by name rather than read as values.
void refuseSideTableWithoutColumns(const SqliteDb &db, Column side)
{
    if (!sideTableHasColumns(db, side))
        throw Failure(QStringLiteral("题库 %1 的表 %2 缺少字段 %3 或 %4")
                          .arg(db.path(), sideTableName(side), columnName(Column::Id), columnName(side)));
}

// The query for one question's value from a side table.
std::unique_ptr<SqliteStatement> sideValueQuery(const SqliteDb &db, Column side)
{
    refuseSideTableWithoutColumns(db, side);
    return std::make_unique<SqliteStatement>(db, selectSideValueSql(side));
}

// The question with the `used` columns checked for NULL.
const Question &checked(const StoredQuestion &row, Columns used)
{
    for (int i = 0; i < kTkColumnCount; ++i) {
        const Column column = Column(i);
        if (used.contains(column) && row.nulls.contains(column))
            throw Failure(QStringLiteral("题号 %1 的字段 %2 为空值（NULL）").arg(row.idLabel(), columnName(column)));
    }
    return row.question;
}

} // namespace

QString bankSourcePath()
{
    return AppDir() + QStringLiteral("examdb.lib");
}

QString workingCopyPath()
{
    return GetTempDirectory() + QStringLiteral("e9p7k6m8.lib");
}

void CopyBank()
{
    const QString source = bankSourcePath();
    const BankFormat format = detectBankFormatOfFile(source);
    if (isJetFormat(format) || format == BankFormat::Accdb)
        convertJetBank(source, workingCopyPath());
    else
        FileCopy(source, workingCopyPath());
}

BankStore::BankStore() = default;
BankStore::~BankStore() = default;

void BankStore::OpenBank()
{
    OpenBank(workingCopyPath());
}

void BankStore::OpenBank(const QString &path)
{
    m_current.reset();
    m_selectById.reset();
    m_explainById.reset();
    for (int i = 0; i < kColumnCount - kTkColumnCount; ++i) {
        m_sideById[i].reset();
        m_hasSide[i].reset();
    }
    m_db.close();
    refuseForeignFile(path);
    m_db.openReadOnly(path);
    try {
        verifyIntegrity(m_db);
        verifySchema(m_db);
        if (hasTable(m_db, sideTableName(Column::Explain)))
            m_explainById = sideValueQuery(m_db, Column::Explain);
    } catch (...) {
        m_explainById.reset();
        m_db.close();
        throw;
    }
}

StoredQuestion BankStore::withExplanation(StoredQuestion row) const
{
    if (!m_explainById || !row.idIsInteger())
        return row;
    m_explainById->reset();
    m_explainById->bind(1, row.question.id);
    if (m_explainById->step() && !m_explainById->isNull(0))
        row.question.explain = m_explainById->text(0);
    m_explainById->reset();
    return row;
}

int BankStore::QueryCategoryCount(const QString &code)
{
    m_current.reset();
    SqliteStatement statement(m_db, kCategoryFilter);
    statement.bind(1, likeLiteral(code));
    int count = 0;
    std::optional<StoredQuestion> last;
    while (statement.step()) {
        last = readStoredQuestion(statement);
        ++count;
    }
    if (last)
        m_current = withExplanation(std::move(*last));
    return count;
}

QVector<qint32> BankStore::QueryCategoryIds(const QString &code)
{
    m_current.reset();
    return categoryIds(code);
}

QVector<qint32> BankStore::categoryIds(const QString &code)
{
    SqliteStatement statement(m_db, kCategoryIds);
    statement.bind(1, likeLiteral(code));
    QVector<qint32> ids;
    while (statement.step())
        ids.append(idOf(readStoredId(statement), m_db.path()));
    return ids;
}

QVector<std::pair<qint32, QString>> BankStore::categoryTopics(const QString &code)
{
    const int slot = int(Column::Topic) - kTkColumnCount;
    if (!m_hasSide[slot])
        m_hasSide[slot] = hasTable(m_db, sideTableName(Column::Topic));
    QVector<std::pair<qint32, QString>> topics;
    if (!*m_hasSide[slot]) {
        for (qint32 id : categoryIds(code))
            topics.append({id, QString()});
        return topics;
    }
    refuseSideTableWithoutColumns(m_db, Column::Topic);
    SqliteStatement statement(m_db, "SELECT TK.ID, s.\"" + columnName(Column::Topic).toUtf8() + "\" FROM TK LEFT JOIN \""
                                        + sideTableName(Column::Topic).toUtf8() + "\" AS s ON s.ID = TK.ID"
                                        + kTypeContains + " ORDER BY TK.ID");
    statement.bind(1, likeLiteral(code));
    while (statement.step()) {
        const qint32 id = idOf(readStoredId(statement), m_db.path());
        topics.append({id, statement.isNull(1) ? QString() : statement.text(1)});
    }
    return topics;
}

std::optional<StoredQuestion> BankStore::selectById(qint32 id)
{
    if (!m_selectById)
        m_selectById = std::make_unique<SqliteStatement>(m_db, kSelectById);
    m_selectById->reset();
    m_selectById->bind(1, qint64(id));
    std::optional<StoredQuestion> row;
    if (m_selectById->step())
        row = withExplanation(readStoredQuestion(*m_selectById));
    m_selectById->reset();
    return row;
}

void BankStore::SelectQuestion(qint32 id)
{
    // Emptied first: a failing read leaves no current record rather than the previous one.
    m_current.reset();
    m_current = selectById(id);
}

const Question &BankStore::CurrentQuestion(Columns used) const
{
    if (!m_current) {
        for (int i = 0; i < kTkColumnCount; ++i) {
            if (used.contains(Column(i)))
                throw Failure(QStringLiteral("没有当前题目，无法读取字段 %1").arg(columnName(Column(i))));
        }
        throw Failure(QStringLiteral("没有当前题目"));
    }
    return checked(*m_current, used);
}

Question BankStore::questionById(qint32 id, Columns used)
{
    const std::optional<StoredQuestion> row = selectById(id);
    if (!row)
        throw Failure(QStringLiteral("题库 %1 中没有题号为 %2 的题目").arg(m_db.path()).arg(id));
    Question question = checked(*row, used);
    // The explanation comes with every row; the other side columns only when asked for.
    for (int i = kTkColumnCount; i < kColumnCount; ++i) {
        if (used.contains(Column(i)) && Column(i) != Column::Explain)
            textOf(question, Column(i)) = sideText(Column(i), id);
    }
    return question;
}

QString BankStore::sideText(Column side, qint32 id)
{
    const int slot = int(side) - kTkColumnCount;
    if (!m_hasSide[slot])
        m_hasSide[slot] = hasTable(m_db, sideTableName(side));
    if (!*m_hasSide[slot])
        return {};
    std::unique_ptr<SqliteStatement> &statement = m_sideById[slot];
    if (!statement)
        statement = sideValueQuery(m_db, side);
    statement->reset();
    statement->bind(1, qint64(id));
    QString text;
    if (statement->step() && !statement->isNull(0))
        text = statement->text(0);
    statement->reset();
    return text;
}

QString BankStore::FieldText(const QString &name) const
{
    if (!m_current)
        throw Failure(QStringLiteral("没有当前题目，无法读取字段 %1").arg(name));
    const std::optional<Column> column = columnNamed(name);
    if (!column || *column == Column::Basis)
        throw Failure(QStringLiteral("题库中没有字段 %1").arg(name));
    const Question &question = CurrentQuestion({*column});
    if (*column == Column::Id && m_current->storedId)
        return *m_current->storedId;
    return fieldText(question, *column);
}

} // namespace kemuyi
