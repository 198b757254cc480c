#pragma once

#include <QRect>

class QLabel;
class QWidget;

namespace kemuyi {

class PictureBox;

// A label of plain black text on white paper, as the windows show questions and results: the
// windows paint in the button-face role, which a label would otherwise take over.
QLabel *paperLabel(QWidget *parent, const char *name, const QRect &place, int pixels = 16);

// A picture box at its place, named for tests and screen readers.
PictureBox *pictureBox(QWidget *parent, const char *name, const QRect &place);

} // namespace kemuyi
