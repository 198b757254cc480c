#pragma once

#include <QString>

#include <optional>

namespace kemuyi {

// Renames `from` over `to` in one step: a reader sees the old file or the new one, never half of
// either, and a link standing at `to` is replaced rather than followed. On failure, the system's
// reason.
std::optional<QString> replaceFile(const QString &from, const QString &to);

} // namespace kemuyi
