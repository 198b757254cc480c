#include "Question.h"

#include <iterator>

namespace kemuyi {

namespace {

struct ColumnDefinition
{
    Column column;
    const char *name;
    QString Question::*text; // null for the id, which is a number
};

// The one list of the question's columns: their names, order and where each value lives.
constexpr ColumnDefinition kColumns[] = {
    {Column::Id, "ID", nullptr},
    {Column::Type, "TYPE", &Question::type},
    {Column::Subject, "subject", &Question::subject},
    {Column::A, "a", &Question::a},
    {Column::B, "b", &Question::b},
    {Column::C, "c", &Question::c},
    {Column::D, "d", &Question::d},
    {Column::Pic, "pic", &Question::pic},
    {Column::Select, "select", &Question::select},
    {Column::Answer, "answer", &Question::answer},
    {Column::Basis, "basis", &Question::basis},
    {Column::Topic, "topic", &Question::topic},
    {Column::Explain, "explain", &Question::explain},
};
static_assert(std::size(kColumns) == kColumnCount);

constexpr bool inColumnOrder()
{
    for (int i = 0; i < kColumnCount; ++i) {
        if (int(kColumns[i].column) != i)
            return false;
    }
    return true;
}
static_assert(inColumnOrder(), "kColumns is indexed by Column");

const ColumnDefinition &definition(Column column)
{
    return kColumns[int(column)];
}

} // namespace

bool operator==(const Question &left, const Question &right)
{
    if (left.id != right.id)
        return false;
    for (const ColumnDefinition &column : kColumns) {
        if (column.text && left.*column.text != right.*column.text)
            return false;
    }
    return true;
}

QString columnName(Column column)
{
    return QLatin1String(definition(column).name);
}

std::optional<Column> columnNamed(const QString &name)
{
    for (const ColumnDefinition &column : kColumns) {
        if (name.compare(QLatin1String(column.name), Qt::CaseInsensitive) == 0)
            return column.column;
    }
    return std::nullopt;
}

const QStringList &sourceColumns()
{
    static const QStringList names = [] {
        QStringList list;
        for (const ColumnDefinition &column : kColumns)
            list.append(QLatin1String(column.name));
        return list;
    }();
    return names;
}

QStringList sourceColumnsThrough(Column last)
{
    return sourceColumns().mid(0, int(last) + 1);
}

QString &textOf(Question &question, Column column)
{
    Q_ASSERT(definition(column).text);
    return question.*definition(column).text;
}

const QString &textOf(const Question &question, Column column)
{
    Q_ASSERT(definition(column).text);
    return question.*definition(column).text;
}

QString fieldText(const Question &question, Column column)
{
    return column == Column::Id ? QString::number(question.id) : textOf(question, column);
}

QString pictureNameProblem(const QString &pic)
{
    if (pic.isEmpty())
        return QStringLiteral("为空");
    if (pic.contains(QLatin1Char('/')) || pic.contains(QLatin1Char('\\')))
        return QStringLiteral("含有路径分隔符（“/”或“\\”）");
    if (pic == QLatin1String(".."))
        return QStringLiteral("是上级目录“..”");
    if (pic.contains(QChar(0)))
        return QStringLiteral("含有空字符（NUL）");
    return {};
}

} // namespace kemuyi
