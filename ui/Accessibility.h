#pragma once

#include <QString>

class QAccessibleEvent;
class QLabel;
class QWidget;

namespace kemuyi {

// A window made of pictures says nothing to a screen reader unless each control is named.
void describe(QWidget *control, const QString &name, const QString &description);

// Sets a label's text and tells assistive technology that it changed, so that a screen reader
// announces a new status line.
void setAnnouncedText(QLabel *label, const QString &text);

// Where accessibility events go: Qt by default, which hands them on only while a screen reader
// listens. Tests install a recorder to see what would be announced. Returns the previous one.
using AccessibilityUpdate = void (*)(QAccessibleEvent *event);
AccessibilityUpdate setAccessibilityUpdate(AccessibilityUpdate update);

} // namespace kemuyi
