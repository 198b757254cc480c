#pragma once

#include "jetwriter/JetWriter.h"

#include <QJsonArray>
#include <QString>

#include <optional>

namespace kemuyi::test {

// Table TK with every kind of value the import must get right: text with and without Jet 4's
// compression, Chinese and text beyond the BMP, NULL beside empty text, memos in the row, on a
// page of their own and across several pages, and enough rows for several data pages. Jet 3
// text is GBK, which has nothing beyond the BMP: its row 3 uses other rare characters.
jet::JetTable sampleQuestionTable(jet::JetVersion version = jet::JetVersion::Jet4);
// A question with the ten values of TK; basis and topic empty.
Question question(qint64 id, const QString &type, const QString &subject, const QStringList &options,
                  const QString &pic, const QString &select, const QString &answer);

// One more table, for the readers to list and the import to ignore.
jet::JetTable unrelatedTable();

// The value as text, nullopt for NULL (ids in decimal).
std::optional<QString> valueText(const jet::JetValue &value);

// The file with both tables; also written to `path` when given.
QByteArray writeSampleJet(const jet::JetWriteOptions &options, const QString &path = {});

// The column index in TK's sample table.
int sampleColumn(const QString &name);

// What the readers outside this project say, as JSON rows. Both skip the test when the reader
// cannot be had (mdb-reader comes from npm into the build folder on first use).
QJsonArray rowsByMdbJson(const QString &file, const QString &table);
struct MdbReaderResult
{
    QStringList tables;
    QJsonArray rows;
};
std::optional<MdbReaderResult> rowsByMdbReader(const QString &file, const QString &table, QString *whyNot);

} // namespace kemuyi::test
