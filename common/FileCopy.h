#pragma once

#include <QString>

namespace kemuyi {

// Copies `source` to `destination` byte for byte. The source is opened first, so a missing source
// leaves an earlier copy untouched. The bytes go to a new file beside the destination that is
// renamed over it at the end: a failed copy never leaves a partial bank, a link planted at the
// destination is replaced rather than followed, and a copy another instance has open is never
// truncated under it.
void FileCopy(const QString &source, const QString &destination);

} // namespace kemuyi
