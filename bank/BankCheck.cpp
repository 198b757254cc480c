#include "BankTool.h"

#include "BankRows.h"
#include "OptionForm.h"
#include "Sqlite.h"
#include "common/AppPaths.h"
#include "picture/JpegCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <limits>
#include <optional>

namespace kemuyi {

namespace {

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

    void check(const StoredQuestion &row)
    {
        ++m_ordinal;
        const std::optional<qint64> id = checkId(row);
        const QString label = id ? QStringLiteral("题号 %1：").arg(*id)
                                 : QStringLiteral("第 %1 条记录：").arg(m_ordinal);
        bool hasNull = false;
        for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i) {
            if (row.nulls.contains(Column(i))) {
                m_problems.append(label + QStringLiteral("字段 %1 为空值（NULL）").arg(columnName(Column(i))));
                hasNull = true;
            }
        }
        if (hasNull)
            return; // the rules below would only repeat the NULL in other words
        // The id as a number even where the bank keeps it as text, so the rules on the whole bank
        // name the question as the row check does.
        Question question = row.question;
        question.id = id.value_or(0);
        m_questions.append(question);
        for (const QString &problem : questionProblems(question))
            m_problems.append(label + problem);
        if (m_pictures && !question.pic.isEmpty() && !isUnsafePictureName(question.pic)) {
            if (const auto problem = m_pictures->problem(question.pic))
                m_problems.append(label + *problem);
        }
    }

    const QStringList &problems() const { return m_problems; }
    // The questions without a NULL, for the rules that look at the bank as a whole.
    const QVector<Question> &questions() const { return m_questions; }

private:
    // The program selects questions by their 32-bit number; an id it cannot select by is a fault.
    std::optional<qint64> checkId(const StoredQuestion &row)
    {
        const QString prefix = QStringLiteral("第 %1 条记录：").arg(m_ordinal);
        if (row.nulls.contains(Column::Id)) {
            m_problems.append(prefix + QStringLiteral("题号（ID）为空值（NULL）"));
            return std::nullopt;
        }
        qint64 id = row.question.id;
        if (row.storedId) {
            bool number = false;
            id = row.storedId->toLongLong(&number);
            if (!number)
                id = 0;
            else // a number kept as text sorts as text and is never found by its number
                m_problems.append(prefix + QStringLiteral("题号“%1”不是以整数保存的，程序按题号找不到这道题").arg(*row.storedId));
        }
        if (id <= 0 || id > std::numeric_limits<qint32>::max()) {
            m_problems.append(prefix + QStringLiteral("题号“%1”不是正整数").arg(row.idLabel()));
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
    QVector<Question> m_questions;
    int m_ordinal = 0;
};

// A learner who answers wrongly is shown why; a question without an explanation teaches nothing
// but its key. A bank without the table at all (an older or converted one) is named once.
QStringList missingExplanationProblems(const SqliteDb &db, const QVector<Question> &questions)
{
    if (!hasTable(db, sideTableName(Column::Explain)))
        return {QStringLiteral("题库中没有解析（表 %1），%2 道题都缺少解析")
                    .arg(sideTableName(Column::Explain))
                    .arg(questions.size())};
    const QHash<qint64, QString> explanations = readSideTable(db, Column::Explain);
    QStringList problems;
    for (const Question &question : questions) {
        if (explanations.value(question.id).trimmed().isEmpty())
            problems.append(QStringLiteral("题号 %1：缺少解析（explain）").arg(question.id));
    }
    return problems;
}

} // namespace

QStringList checkBank(const QString &bankPath, const QString &assetsDir)
{
    if (!assetsDir.isEmpty() && !QFileInfo(assetsDir).isDir())
        throw Failure(QStringLiteral("素材目录 %1 不存在").arg(assetsDir));
    SqliteDb db;
    db.openReadOnly(bankPath);
    const QStringList shape = tkShapeProblems(db);
    if (!shape.isEmpty())
        return shape;
    RowCheck check(assetsDir);
    forEachStoredQuestion(db, [&](const StoredQuestion &row) { check.check(row); });
    const QVector<Question> &questions = check.questions();
    return check.problems() + missingExplanationProblems(db, questions) + answerBalanceProblems(questions)
           + longestKeyProblems(questions) + numericOrderProblems(questions)
           + nearDuplicateProblems(questions, readReviewed(db));
}

} // namespace kemuyi
