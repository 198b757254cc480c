#pragma once

#include <QtGlobal>

namespace kemuyi::jet {

// Jet stores every number little-endian, whatever the machine reading it.
inline quint16 get16(const unsigned char *bytes, int offset)
{
    return quint16(bytes[offset] | bytes[offset + 1] << 8);
}

inline quint32 get32(const unsigned char *bytes, int offset)
{
    return quint32(get16(bytes, offset)) | quint32(get16(bytes, offset + 2)) << 16;
}

// A row offset on a data page keeps its position in the low bits and flags above them.
constexpr quint16 kOffsetMask = 0x1FFF;

} // namespace kemuyi::jet
