#pragma once

#include "JetPageFormat.h"

#include <QByteArray>
#include <QVector>

namespace kemuyi::jet {

// A table's usage map record marking `dataPages`: a bitmap in the record itself when the pages
// lie close enough together, otherwise a list of bitmap pages, which are appended to `pages`.
QByteArray usageMap(const PageFormat &format, QVector<QByteArray> &pages, const QVector<int> &dataPages);

} // namespace kemuyi::jet
