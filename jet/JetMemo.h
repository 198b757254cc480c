#pragma once

#include "JetFile.h"

#include <QByteArray>

namespace kemuyi::jet {

// The bytes of a memo from the 12 bytes its row keeps: its length and where it lies, in the row
// itself, in one row of a long-value page, or in a chain of such rows. A length past the file,
// a pointer past the file or into a page of another kind, and a chain that loops are Failures.
// libmdb's page buffer for other pages is overwritten; the row's own page is left alone.
QByteArray readMemo(const JetFile &file, const unsigned char *field, int size);

} // namespace kemuyi::jet
