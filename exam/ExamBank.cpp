#include "ExamBank.h"

#include "bank/Category.h"
#include "common/Failure.h"

#include <QSet>

namespace kemuyi {

namespace {

// A LIKE pattern that matches `code` as a plain substring.
QString containsPattern(const QString &code)
{
    QString pattern = QStringLiteral("%");
    for (const QChar c : code) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern + QLatin1Char('%');
}

qint32 idOf(const SqliteStatement &statement, const QString &path)
{
    bool ok = false;
    const qint32 id = statement.text(0).toInt(&ok);
    if (!ok)
        throw Failure(QStringLiteral("题库 %1 中有题号不是整数：%2").arg(path, statement.text(0)));
    return id;
}

} // namespace

ExamBank::ExamBank(const QString &path)
{
    m_db.openReadOnly(path);
    m_byId = std::make_unique<SqliteStatement>(
        m_db, "SELECT ID, subject, a, b, c, d, pic, \"select\", answer FROM TK WHERE ID = ?1");
    SqliteStatement hasBasis(m_db, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = 'BASIS'");
    if (hasBasis.step())
        m_basis = std::make_unique<SqliteStatement>(m_db, "SELECT basis FROM BASIS WHERE ID = ?1");
}

ExamBank::~ExamBank() = default;

QVector<qint32> ExamBank::categoryIds(const QString &code)
{
    SqliteStatement statement(m_db, "SELECT ID FROM TK WHERE TYPE LIKE ?1 ESCAPE '\\' ORDER BY ID");
    statement.bind(1, containsPattern(code));
    QVector<qint32> ids;
    while (statement.step())
        ids.append(idOf(statement, m_db.path()));
    return ids;
}

QVector<qint32> ExamBank::drawFromCategory(const QString &code, int size, const RandomBelow &random)
{
    if (size <= 0)
        return {};
    try {
        SqliteStatement range(m_db, "SELECT min(rowid), max(rowid) FROM TK");
        if (range.step() && !range.isNull(0)) {
            const qint64 low = range.integer(0);
            const qint64 span = range.integer(1) - low + 1;
            if (span > 0 && span <= qint64(UINT32_MAX)) {
                SqliteStatement row(m_db, "SELECT ID, TYPE FROM TK WHERE rowid = ?1");
                QSet<qint64> tried;
                QVector<qint32> drawn;
                const int budget = 10 * size + 100;
                for (int attempt = 0; attempt < budget && drawn.size() < size; ++attempt) {
                    const qint64 rowid = low + random(quint32(span));
                    if (tried.contains(rowid))
                        continue;
                    tried.insert(rowid);
                    row.reset();
                    row.bind(1, rowid);
                    if (row.step() && !row.isNull(0) && servesCategory(row.text(1), code))
                        drawn.append(idOf(row, m_db.path()));
                }
                if (drawn.size() == size)
                    return drawn;
            }
        }
    } catch (const SqliteError &) {
        // A table without rowids: the scan below still works.
    }
    return drawPaper(categoryIds(code), size, random);
}

QVector<qint32> ExamBank::inCategory(const QVector<qint32> &ids, const QString &code)
{
    SqliteStatement type(m_db, "SELECT TYPE FROM TK WHERE ID = ?1");
    QVector<qint32> kept;
    for (qint32 id : ids) {
        type.reset();
        type.bind(1, qint64(id));
        if (type.step() && !type.isNull(0) && servesCategory(type.text(0), code))
            kept.append(id);
    }
    return kept;
}

ExamQuestion ExamBank::question(qint32 id)
{
    m_byId->reset();
    m_byId->bind(1, qint64(id));
    if (!m_byId->step())
        throw Failure(QStringLiteral("题库 %1 中没有题号为 %2 的题目").arg(m_db.path()).arg(id));
    for (int column = 1; column < 9; ++column) {
        if (m_byId->isNull(column))
            throw Failure(QStringLiteral("题库 %1 中题号 %2 的“%3”栏为空")
                              .arg(m_db.path()).arg(id).arg(m_byId->columnName(column)));
    }
    ExamQuestion q;
    q.id = id;
    q.subject = m_byId->text(1);
    q.a = m_byId->text(2);
    q.b = m_byId->text(3);
    q.c = m_byId->text(4);
    q.d = m_byId->text(5);
    q.pic = m_byId->text(6);
    q.select = m_byId->text(7);
    q.answer = m_byId->text(8);
    m_byId->reset();
    if (m_basis) {
        m_basis->reset();
        m_basis->bind(1, qint64(id));
        if (m_basis->step() && !m_basis->isNull(0))
            q.basis = m_basis->text(0);
        m_basis->reset();
    }
    return q;
}

} // namespace kemuyi
