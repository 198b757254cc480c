#include "CategoryPage.h"

#include "Progress.h"

namespace kemuyi {

CategoryPage::CategoryPage(BankStore &bank, LearnerProgress *progress, const char *name, const QString &accessibleName,
                           QWidget *parent)
    : QWidget(parent), m_bank(bank), m_progress(progress)
{
    setObjectName(QLatin1String(name));
    setAccessibleName(accessibleName);
    resize(kWidth, kHeight);
}

ProgressStore *CategoryPage::store() const
{
    return m_progress ? m_progress->store() : nullptr;
}

} // namespace kemuyi
