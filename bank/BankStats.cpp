#include "BankTool.h"

#include "BankRows.h"
#include "Sqlite.h"
#include "TextTable.h"

#include <algorithm>

namespace kemuyi {

namespace {

CategoryStats named(const QString &code)
{
    CategoryStats entry;
    entry.code = code;
    return entry;
}

void count(CategoryStats &entry, const Question &question)
{
    ++entry.questions;
    entry.choice += question.select == QLatin1String("Y");
    entry.judge += question.select == QLatin1String("N");
    entry.withPicture += !question.pic.isEmpty();
    entry.explained += !question.explain.trimmed().isEmpty();
    entry.longestKey.add(question);
}

// The questions with their topics and explanations from the side tables.
QVector<Question> questionsOf(const QString &bankPath)
{
    SqliteDb db;
    openReadableBank(db, bankPath);
    QVector<Question> questions;
    forEachStoredQuestion(db, [&](const StoredQuestion &row) { questions.append(row.question); });
    for (const Column side : {Column::Topic, Column::Explain}) {
        const QHash<qint64, QString> values = readSideTable(db, side);
        for (Question &question : questions)
            textOf(question, side) = values.value(question.id);
    }
    return questions;
}

// Where a TYPE value sits in the listing: by the first category code it serves.
int typeRank(const QString &type)
{
    const QStringList &codes = categoryCodes();
    for (int i = 0; i < codes.size(); ++i) {
        if (servesCategory(type, codes.at(i)))
            return i;
    }
    return int(codes.size());
}

QVector<CategoryStats> categoryStats(const QVector<Question> &questions)
{
    QVector<CategoryStats> stats;
    for (const QString &code : categoryCodes())
        stats.append(named(code));
    CategoryStats total = named(QStringLiteral("合计"));
    for (const Question &question : questions) {
        for (CategoryStats &entry : stats) {
            if (servesCategory(question.type, entry.code))
                count(entry, question);
        }
        count(total, question);
    }
    stats.append(total);
    return stats;
}

QVector<CategoryStats> typeStats(const QVector<Question> &questions)
{
    QVector<CategoryStats> stats;
    for (const Question &question : questions) {
        auto entry = std::find_if(stats.begin(), stats.end(),
                                  [&](const CategoryStats &known) { return known.code == question.type; });
        if (entry == stats.end()) {
            stats.append(named(question.type));
            entry = stats.end() - 1;
        }
        count(*entry, question);
    }
    std::stable_sort(stats.begin(), stats.end(), [](const CategoryStats &left, const CategoryStats &right) {
        return typeRank(left.code) < typeRank(right.code);
    });
    return stats;
}

} // namespace

BankStatistics bankStatistics(const QString &bankPath)
{
    const QVector<Question> questions = questionsOf(bankPath);
    BankStatistics statistics;
    statistics.categories = categoryStats(questions);
    statistics.types = typeStats(questions);
    if (std::any_of(questions.begin(), questions.end(), [](const Question &row) { return !row.topic.isEmpty(); }))
        statistics.topicTable = topicTable(questions);
    return statistics;
}

QString statsTable(const QVector<CategoryStats> &stats, const QString &heading)
{
    QVector<QStringList> cells = {{heading, QStringLiteral("题数"), QStringLiteral("选择题"), QStringLiteral("判断题"),
                                   QStringLiteral("有插图"), QStringLiteral("有解析"),
                                   QStringLiteral("答案为唯一最长选项")}};
    for (const CategoryStats &entry : stats) {
        cells.append({entry.code, QString::number(entry.questions), QString::number(entry.choice),
                      QString::number(entry.judge), QString::number(entry.withPicture),
                      QString::number(entry.explained), entry.longestKey.text()});
    }
    return textTable(cells);
}

} // namespace kemuyi
