#pragma once

#include "Category.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kemuyi {

// One question as the source file and the bank hold it. `basis` and `topic` live only in the
// source and in the bank's BASIS and TOPIC tables; the program never reads them.
struct Question
{
    qint64 id = 0;
    QString type;
    QString subject;
    QString a, b, c, d;
    QString pic;
    QString select;
    QString answer;
    QString basis;
    QString topic; // empty for a source without the topic column
};

bool operator==(const Question &left, const Question &right);
inline bool operator!=(const Question &left, const Question &right) { return !(left == right); }

// The question's columns in source order. Table TK holds Id to Answer; basis and topic follow
// them in the source and sit in tables BASIS and TOPIC. Names and order are kept in one table
// beside columnName.
enum class Column { Id, Type, Subject, A, B, C, D, Pic, Select, Answer, Basis, Topic };
constexpr int kColumnCount = int(Column::Topic) + 1;
constexpr int kTkColumnCount = int(Column::Answer) + 1;

// The column's name as the source header and table TK spell it.
QString columnName(Column column);
// The column with this name, compared without regard to letter case, as the bank compares them.
std::optional<Column> columnNamed(const QString &name);
// Every column's name in source order: the source's header. A source may end at basis; it is
// read as questions without a topic.
const QStringList &sourceColumns();
const QStringList &sourceColumnsWithoutTopic();

// The question's value in a text column (every column but Id).
QString &textOf(Question &question, Column column);
const QString &textOf(const Question &question, Column column);
// The value of any column as text; the id in decimal.
QString fieldText(const Question &question, Column column);

// A set of columns, for saying which of a question's values a caller is about to use.
class Columns
{
public:
    constexpr Columns() = default;
    constexpr Columns(std::initializer_list<Column> columns)
    {
        for (const Column column : columns)
            m_bits |= bit(column);
    }
    constexpr bool contains(Column column) const { return m_bits & bit(column); }
    constexpr void insert(Column column) { m_bits |= bit(column); }
    constexpr bool isEmpty() const { return m_bits == 0; }

private:
    static constexpr unsigned bit(Column column) { return 1u << unsigned(column); }
    unsigned m_bits = 0;
};

// What makes a picture name able to reach outside the pic folder, in words for the learner: a
// path separator ('/' or '\\'), a ".." component, a NUL character, or no name at all. Empty when
// the name is safe; any other character is a file-name character here.
QString pictureNameProblem(const QString &pic);
inline bool isUnsafePictureName(const QString &pic) { return !pictureNameProblem(pic).isEmpty(); }

} // namespace kemuyi
