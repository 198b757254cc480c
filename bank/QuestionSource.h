#pragma once

#include "Question.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kemuyi {

// What is wrong with a question by the rules the program relies on (select, answer, options,
// TYPE, picture name); each entry is a reason without the row's location. The id is not checked
// here, since the source and the bank hold it differently.
QStringList questionProblems(const Question &row);

struct SourceRow
{
    int line = 0;
    Question question;
};

struct ParsedSource
{
    QVector<SourceRow> rows;
    QStringList problems; // each names its line; non-empty means the source must not be built
    // The header's last column: Basis for an eleven-column source, Topic for twelve, Explain
    // for the full thirteen.
    Column lastColumn = Column::Basis;

    bool ok() const { return problems.isEmpty(); }
};

// Parses UTF-8 TSV bytes: the header line, then one question per LF-terminated line. A CR
// anywhere is refused rather than stripped, so what is built is exactly what the file says.
ParsedSource parseSource(const QByteArray &bytes);

// The rows as source bytes, in the order given, header first and every line LF-terminated, with
// the columns up to `last` (Basis, Topic or Explain). A field holding a tab or line break cannot
// be written and is a Failure naming the row.
QByteArray sourceBytes(const QVector<Question> &rows, Column last);
// Whether any question has a value in a column after TK's: only then do the source and the bank
// carry it.
bool anyValue(const QVector<Question> &rows, Column side);
// The last column a source of these rows needs: Explain when any row has an explanation, Topic
// when any names a topic, Basis otherwise.
Column lastColumnOf(const QVector<Question> &rows);
// sourceBytes up to lastColumnOf, so a bank built from a source without the later columns
// exports as it was written.
QByteArray sourceBytes(const QVector<Question> &rows);

// The whole content of a source file; a missing or unreadable file is a Failure naming it.
QByteArray readSourceFile(const QString &path);

} // namespace kemuyi
