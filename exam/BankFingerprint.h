#pragma once

#include <QString>

namespace kemuyi {

// A short name for a bank's content (hex of the first 16 bytes of its SHA-256): the same bank
// file gives the same name on every machine, a changed bank a different one. Computed once per
// file state (path, size, modification time) and remembered. A file that cannot be read is a
// Failure.
QString bankFingerprint(const QString &path);

} // namespace kemuyi
