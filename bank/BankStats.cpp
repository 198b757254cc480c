#include "BankTool.h"

#include "BankRows.h"
#include "Sqlite.h"
#include "TextTable.h"

namespace kemuyi {

namespace {

void count(CategoryStats &entry, const Question &question)
{
    ++entry.questions;
    entry.choice += question.select == QLatin1String("Y");
    entry.judge += question.select == QLatin1String("N");
    entry.withPicture += !question.pic.isEmpty();
}

} // namespace

BankStatistics bankStatistics(const QString &bankPath)
{
    SqliteDb db;
    openReadableBank(db, bankPath);
    const QHash<qint64, QString> topic = readSideTable(db, Column::Topic);
    BankStatistics result;
    QVector<CategoryStats> &stats = result.categories;
    for (const QString &code : categoryCodes())
        stats.append(CategoryStats{code});
    CategoryStats total{QStringLiteral("合计")};
    QVector<Question> topical;
    forEachStoredQuestion(db, [&](const StoredQuestion &row) {
        for (CategoryStats &entry : stats) {
            if (servesCategory(row.question.type, entry.code))
                count(entry, row.question);
        }
        count(total, row.question);
        if (!topic.isEmpty()) {
            topical.append(row.question);
            topical.last().topic = topic.value(row.question.id);
        }
    });
    stats.append(total);
    if (!topic.isEmpty())
        result.topicTable = topicTable(topical);
    return result;
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

} // namespace kemuyi
