#pragma once

#include "Category.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kemuyi {

// One question as the source file and the bank hold it. `basis`, `topic` and `explain` live only
// in the source and in the bank's BASIS, TOPIC and EXPLAIN tables, beside table TK; the program
// reads only the explanation, through the store.
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
    QString topic;   // empty for a source without the topic column
    QString explain; // the explanation (解析); empty for a source or bank without one
};

bool operator==(const Question &left, const Question &right);
inline bool operator!=(const Question &left, const Question &right) { return !(left == right); }

// The question's columns in source order. Table TK holds Id to Answer; basis, topic and explain
// follow them in the source and sit in tables BASIS, TOPIC and EXPLAIN. Names and order are kept
// in one table beside columnName.
enum class Column { Id, Type, Subject, A, B, C, D, Pic, Select, Answer, Basis, Topic, Explain };
constexpr int kColumnCount = int(Column::Explain) + 1;
constexpr int kTkColumnCount = int(Column::Answer) + 1;

// The column's name as the source header and table TK spell it.
QString columnName(Column column);
// The column with this name, compared without regard to letter case, as the bank compares them.
std::optional<Column> columnNamed(const QString &name);
// Every column's name in source order: the source's header. A source may also end at topic
// (questions without an explanation) or at basis (without a topic either).
const QStringList &sourceColumns();
// The header of a source whose last column is `last` (Basis, Topic or Explain).
QStringList sourceColumnsThrough(Column last);

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
