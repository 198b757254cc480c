#pragma once

#include "JetMemoWriter.h"
#include "JetPageFormat.h"
#include "JetTextEncoder.h"
#include "JetWriter.h"

#include <QByteArray>
#include <QVector>

namespace kemuyi::jet {

// The bytes of one row: the column count, the fixed columns, the variable ones with their
// offset table, and the null mask at the end. Long memos go to pages of their own on the way.
class RowEncoder
{
public:
    RowEncoder(const JetWriteOptions &options, const PageFormat &format, QVector<QByteArray> &pages);

    QByteArray encode(const JetTable &table, const QVector<JetValue> &values);

private:
    PageFormat m_format;
    TextEncoder m_text;
    MemoWriter m_memo;
};

} // namespace kemuyi::jet
