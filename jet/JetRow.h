#pragma once

#include "JetFile.h"
#include "JetQuestionTable.h"
#include "JetReader.h"

#include <QString>

namespace kemuyi::jet {

// Where a row of TK lies, for the message that names a damaged one.
struct RowPlace
{
    quint32 page = 0;
    int row = 0;
};

[[noreturn]] void rowDamaged(const RowPlace &place, const QString &reason);

// Reads the row at [start, end) of the data page libmdb holds into `question`. `rowNumber`
// counts the rows read so far, this one included, for the messages. A NULL or non-integer ID,
// and a field that lies outside the row or does not decode, are Failures.
void readQuestionRow(const JetFile &file, const QuestionTable &tk, const RowPlace &place, int start, int end,
                     qint64 rowNumber, JetQuestion &question);

} // namespace kemuyi::jet
