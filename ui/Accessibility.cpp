#include "Accessibility.h"

#include <QAccessible>
#include <QLabel>

#include <utility>

namespace kemuyi {

namespace {

AccessibilityUpdate &currentUpdate()
{
    static AccessibilityUpdate update = &QAccessible::updateAccessibility;
    return update;
}

} // namespace

void describe(QWidget *control, const QString &name, const QString &description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void setAnnouncedText(QLabel *label, const QString &text)
{
    label->setText(text);
    QAccessibleEvent event(label, QAccessible::NameChanged);
    currentUpdate()(&event);
}

AccessibilityUpdate setAccessibilityUpdate(AccessibilityUpdate update)
{
    return std::exchange(currentUpdate(), update ? update : &QAccessible::updateAccessibility);
}

} // namespace kemuyi
