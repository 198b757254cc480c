#include "BankTool.h"

#include "BankRows.h"
#include "Sqlite.h"

#include <algorithm>

namespace kemuyi {

namespace {

// Columns of full-width characters take two cells in a terminal.
int displayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return width;
}

QString padded(const QString &text, int width, bool alignLeft)
{
    const QString fill(std::max(0, width - displayWidth(text)), QLatin1Char(' '));
    return alignLeft ? text + fill : fill + text;
}

void count(CategoryStats &entry, const Question &question)
{
    ++entry.questions;
    entry.choice += question.select == QLatin1String("Y");
    entry.judge += question.select == QLatin1String("N");
    entry.withPicture += !question.pic.isEmpty();
}

} // namespace

QVector<CategoryStats> bankStats(const QString &bankPath)
{
    SqliteDb db;
    openReadableBank(db, bankPath);
    QVector<CategoryStats> stats;
    for (const QString &code : categoryCodes())
        stats.append(CategoryStats{code});
    CategoryStats total{QStringLiteral("合计")};
    forEachStoredQuestion(db, [&](const StoredQuestion &row) {
        for (CategoryStats &entry : stats) {
            if (servesCategory(row.question.type, entry.code))
                count(entry, row.question);
        }
        count(total, row.question);
    });
    stats.append(total);
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
    QVector<int> widths(cells.first().size(), 0);
    for (const QStringList &line : cells) {
        for (int i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(line.at(i)));
    }
    QString table;
    for (const QStringList &line : cells) {
        QStringList parts;
        for (int i = 0; i < line.size(); ++i)
            parts.append(padded(line.at(i), widths[i], i == 0));
        table += parts.join(QStringLiteral("  ")) + QLatin1Char('\n');
    }
    return table;
}

} // namespace kemuyi
