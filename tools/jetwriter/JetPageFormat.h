#pragma once

#include "JetWriter.h"

#include <QByteArray>

namespace kemuyi::jet {

// Where the two formats differ in the pages the writer makes.
struct PageFormat
{
    bool jet4;
    int pageSize;
    int dataHeader;     // bytes before a data page's row offsets
    int rowCountOffset; // where a data page counts its rows
    int mapRecordSize;  // a table's usage map record
};

inline PageFormat pageFormatFor(JetVersion version)
{
    if (version == JetVersion::Jet4)
        return {true, 4096, 14, 12, 64};
    return {false, 2048, 10, 8, 128};
}

// Jet stores every number little-endian.
inline void put16(QByteArray &bytes, int offset, quint32 value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

inline void put32(QByteArray &bytes, int offset, quint32 value)
{
    put16(bytes, offset, value & 0xFFFF);
    put16(bytes, offset + 2, value >> 16);
}

inline void append8(QByteArray &bytes, quint32 value)
{
    bytes.append(char(value & 0xFF));
}

inline void append16(QByteArray &bytes, quint32 value)
{
    append8(bytes, value);
    append8(bytes, value >> 8);
}

inline void append32(QByteArray &bytes, quint32 value)
{
    append16(bytes, value & 0xFFFF);
    append16(bytes, value >> 16);
}

// A row's address as pointers in the file hold it: the page above, the row in the low byte.
inline quint32 pageRow(int page, int row)
{
    return quint32(page) << 8 | quint32(row);
}

inline bool isFixed(JetType type)
{
    return type == JetType::Long || type == JetType::Integer;
}

inline int fixedSize(JetType type)
{
    return type == JetType::Long ? 4 : 2;
}

} // namespace kemuyi::jet
