#include "TextTable.h"

#include <algorithm>

namespace kemuyi {

namespace {

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

} // namespace

QString textTable(const QVector<QStringList> &cells)
{
    QVector<int> widths;
    for (const QStringList &line : cells) {
        widths.resize(std::max<int>(widths.size(), line.size()));
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
