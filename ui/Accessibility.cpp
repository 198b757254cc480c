#include "Accessibility.h"

#include <QAccessible>
#include <QLabel>

namespace kemuyi {

void describe(QWidget *control, const QString &name, const QString &description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void setAnnouncedText(QLabel *label, const QString &text)
{
    label->setText(text);
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace kemuyi
