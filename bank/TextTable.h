#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kemuyi {

// Lines up cells in columns for a terminal, where a full-width character takes two cells. The
// first column is aligned left (names), the others right (counts).
QString textTable(const QVector<QStringList> &cells);

} // namespace kemuyi
