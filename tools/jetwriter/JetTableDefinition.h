#pragma once

#include "JetPageFormat.h"
#include "JetWriter.h"

#include <QByteArray>

namespace kemuyi::jet {

// Where a table's rows went, as its definition records it.
struct TablePlacement
{
    int rows = 0;
    quint32 usage = 0; // the usage map record's page and row
    quint32 free = 0;  // the free-space map record's page and row
    bool system = false;
};

// The table's definition page: counts, map pointers, one entry and one name per column, no
// indexes. A definition that does not fit one page is a Failure.
QByteArray tableDefinition(const PageFormat &format, const JetWriteOptions &options, const JetTable &table,
                           const TablePlacement &placement);

} // namespace kemuyi::jet
