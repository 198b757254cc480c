#pragma once

#include "BankReview.h"
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

// Writes the rows as a bank: table TK as the program reads it and table BASIS for the rules
// behind the answers. The bank is made in a new file beside `bankPath` and renamed over it at
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
// row's ID (or the missing table or column), and what makes it poor for practice: a lopsided
// answer key or two questions asking the same thing (see BankReview.h). With `assetsDir` (the
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
};

struct BankStatistics
{
    // One entry per category code, as the program selects them, then the whole bank under "合计".
    QVector<CategoryStats> categories;
    // Questions per topic and category as a text table; empty for a bank that names no topics.
    QString topicTable;
};

// Both counts from one reading of the bank.
BankStatistics bankStatistics(const QString &bankPath);
// The category entries as a text table whose columns line up in a terminal.
QString statsTable(const QVector<CategoryStats> &stats);

// The bank's questions in ascending ID order, with their basis when the bank has table BASIS.
// A NULL, a non-integer ID or a missing table or column is a Failure.
QVector<Question> readBankRows(const QString &bankPath);
// readBankRows as source bytes: building a source and exporting it gives the source back
// sorted by ID.
QByteArray exportBank(const QString &bankPath);

} // namespace kemuyi
