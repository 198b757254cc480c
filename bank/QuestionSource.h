#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kemuyi {

// One question as the source file and the bank hold it. `basis` and `topic` live only in the
// source and in the bank's BASIS and TOPIC tables; the program never reads them.
struct QuestionRow
{
    qint64 id = 0;
    QString type;
    QString subject;
    QString a, b, c, d;
    QString pic;
    QString select;
    QString answer;
    QString basis;
    QString topic; // empty for sources written before topics were kept
};

bool operator==(const QuestionRow &left, const QuestionRow &right);
inline bool operator!=(const QuestionRow &left, const QuestionRow &right) { return !(left == right); }

// The source's column names in file order; its header is these joined by tabs. Sources written
// before topics were kept end at basis and are still read; they give rows without a topic.
const QStringList &sourceColumns();
const QStringList &sourceColumnsWithoutTopic();

// The category codes the program offers; a question belongs to a category when its TYPE
// contains the code in any letter case.
const QStringList &categoryCodes();
bool servesCategory(const QString &type, const QString &code);

// What makes a picture name able to reach outside the pic folder, in words for the learner: a
// path separator ('/' or '\\'), a ".." component, a NUL character, or no name at all. Empty when
// the name is safe; any other character is a file-name character here.
QString pictureNameProblem(const QString &pic);
inline bool isUnsafePictureName(const QString &pic) { return !pictureNameProblem(pic).isEmpty(); }

// What is wrong with a question by the rules the program relies on (select, answer, options,
// TYPE, picture name); each entry is a reason without the row's location. The id is not checked
// here, since the source and the bank hold it differently.
QStringList questionProblems(const QuestionRow &row);

struct SourceRow
{
    int line = 0;
    QuestionRow question;
};

struct ParsedSource
{
    QVector<SourceRow> rows;
    QStringList problems; // each names its line; non-empty means the source must not be built

    bool ok() const { return problems.isEmpty(); }
};

// Parses UTF-8 TSV bytes: the header line, then one question per LF-terminated line. A CR
// anywhere is refused rather than stripped, so what is built is exactly what the file says.
ParsedSource parseSource(const QByteArray &bytes);

// The rows as source bytes, in the order given, header first and every line LF-terminated. The
// topic column is written when any row has a topic, so a source without one comes back as it was.
// A field holding a tab or line break cannot be written and is a Failure naming the row.
QByteArray sourceBytes(const QVector<QuestionRow> &rows);

// The whole content of a source file; a missing or unreadable file is a Failure naming it.
QByteArray readSourceFile(const QString &path);

} // namespace kemuyi
