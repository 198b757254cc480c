#pragma once

#include <QString>
#include <QStringList>

namespace kemuyi {

// The licence categories the program offers, in the order the bank tool lists them.
enum class Category { A1A3B1, A2B2, C1C2C3C4, M, DEF };

// The code a category's questions carry in TYPE; a question belongs to a category when its TYPE
// contains the code in any letter case.
QString categoryCode(Category category);
const QStringList &categoryCodes();
bool servesCategory(const QString &type, const QString &code);

} // namespace kemuyi
