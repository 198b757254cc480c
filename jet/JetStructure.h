#pragma once

#include <QByteArray>
#include <QString>

namespace kemuyi::jet {

// libmdb follows a table definition's chain of pages and its usage-map pointers without checking
// them against the file or the page they point into; a damaged pointer would send it into memory
// it does not own. This checks them on the file's bytes before libmdb reads the table: each page
// of the definition, each map record and each bitmap page lies inside the file and is of its
// kind, and no page a map marks lies past the end. A Failure names the table.
void checkTableDefinition(const QByteArray &file, bool jet4, quint32 page, const QString &table);

} // namespace kemuyi::jet
