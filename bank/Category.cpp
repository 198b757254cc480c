#include "Category.h"

namespace kemuyi {

QString categoryCode(Category category)
{
    switch (category) {
    case Category::A1A3B1:
        return QStringLiteral("A1A3B1");
    case Category::A2B2:
        return QStringLiteral("A2B2");
    case Category::C1C2C3C4:
        return QStringLiteral("C1C2C3C4");
    case Category::M:
        return QStringLiteral("M");
    case Category::DEF:
        return QStringLiteral("DEF");
    }
    return {};
}

const QStringList &categoryCodes()
{
    static const QStringList codes = {categoryCode(Category::A1A3B1), categoryCode(Category::A2B2),
                                      categoryCode(Category::C1C2C3C4), categoryCode(Category::M),
                                      categoryCode(Category::DEF)};
    return codes;
}

bool servesCategory(const QString &type, const QString &code)
{
    return type.contains(code, Qt::CaseInsensitive);
}

} // namespace kemuyi
