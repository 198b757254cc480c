#pragma once

#include "BankReview.h"
#include "OptionForm.h"
#include "QuestionSource.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace kemuyi {

class SqliteDb;

// Validates source bytes and, only when they are sound, writes them as the bank at `bankPath`
// (see writeBankFile). The result's problems say why nothing was written; an earlier bank at
// the path is then left as it was. A bank that cannot be written is a Failure.
// `reviewed` names pairs of questions alike in words that ask different things; the bank keeps
// them so that `checkBank` does not report them as near-duplicates.
ParsedSource buildBank(const QByteArray &source, const QString &bankPath,
                       const QVector<ReviewedPair> &reviewed = {});

// Writes the rows as a bank: table TK as the program reads it, table BASIS for the rules
// behind the answers, and TOPIC and EXPLAIN when any row has a topic or an explanation. The bank is made in a new file beside `bankPath` and renamed over it at
// the end, so a failure leaves neither a partial bank nor a stray file.
void writeBankFile(const QVector<Question> &questions, const QString &bankPath,
                   const QVector<ReviewedPair> &reviewed = {});

// The steps every bank file is made by: a new file beside `bankPath`, without a rollback journal
// (it is thrown away on any failure), filled by `fill` inside one transaction, made readable to
// all, and renamed over `bankPath`. A failure leaves neither a partial bank nor a stray file, and
// an earlier bank at the path stays as it was. `durable` false skips the flushes to disk, for a
// copy that is made anew at every start anyway. Failures of `fill` pass through unchanged.
void makeBankFile(const QString &bankPath, const std::function<void(SqliteDb &)> &fill, bool durable = true);

// Everything in the bank the program would stumble over, one entry per problem, each naming the
// row's ID (or the missing table or column), and what makes it poor for practice: a question
// without an explanation, a lopsided answer key, two questions asking the same thing (see
// BankReview.h), or options whose form gives the key away (see OptionForm.h). With `assetsDir` (the
// folder that holds pic/), each picture must also exist there and decode. A file that cannot be opened as a database, or an
// `assetsDir` that does not exist, is a Failure.
QStringList checkBank(const QString &bankPath, const QString &assetsDir = QString());

struct CategoryStats
{
    QString code;
    int questions = 0;
    int choice = 0;
    int judge = 0;
    int withPicture = 0;
    int explained = 0;
    LongestKeyShare longestKey;
};

struct BankStatistics
{
    // One entry per category code, as the program selects them, then the whole bank under "合计".
    QVector<CategoryStats> categories;
    // One entry per TYPE value as the bank holds it ("DEF", "A1A3B1", the general
    // "C1C2C3C4A1A3B1A2B2M"), in the order the category codes are listed: the size of each group
    // of questions, where the per-category counts add the general questions to each.
    QVector<CategoryStats> types;
    // Questions per topic and category as a text table; empty for a bank that names no topics.
    QString topicTable;
};

// All of them from one reading of the bank.
BankStatistics bankStatistics(const QString &bankPath);
// The entries as a text table whose columns line up in a terminal; `heading` names the first column.
QString statsTable(const QVector<CategoryStats> &stats, const QString &heading = QStringLiteral("类别"));

// The bank's questions in ascending ID order, with their basis, topic and explanation from the
// side tables the bank has (empty where it has none).
// A NULL, a non-integer ID or a missing table or column is a Failure.
QVector<Question> readBankRows(const QString &bankPath);
// readBankRows as source bytes: building a source and exporting it gives the source back
// sorted by ID.
QByteArray exportBank(const QString &bankPath);

} // namespace kemuyi
