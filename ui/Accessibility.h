#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kemuyi {

// A window made of pictures says nothing to a screen reader unless each control is named.
void describe(QWidget *control, const QString &name, const QString &description);

// Sets a label's text and tells assistive technology that it changed, so that a screen reader
// announces a new status line.
void setAnnouncedText(QLabel *label, const QString &text);

} // namespace kemuyi
