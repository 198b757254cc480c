#pragma once

#include <QList>
#include <QRect>

class QPainter;
class QSizeF;
class QWidget;

namespace kemuyi {

// The learner's size setting. Windows are laid out in the program's own pixels (a 690 × 450
// window); at a size of 150 % every window, its controls, their text, pictures and hit areas are
// drawn half as large again, together.

// The sizes offered, in per cent, smallest first.
const QList<int> &sizeChoices();
// The size after `percent` on the menu's round of choices (after the largest comes the smallest).
int nextSizeChoice(int percent);
// Without a saved choice: the largest size at which a window of the program's width takes at
// most half of a screen `screenWidth` logical pixels wide; 100 % when none does.
int defaultSizeChoice(int screenWidth);

// The size every window is drawn at from now on, as a factor (1.5 for 150 %). Windows already
// shown take it at once; the others when they are next shown.
qreal interfaceScale();
void setInterfaceScale(qreal scale);

// Draws `window` and its controls at interfaceScale(). The first time a control takes part, its
// place and font are noted as designed; every scaling starts from them. Pictures are loaded
// again when the window needs a sharper (or no longer needs the sharper) form. Windows made by
// setUpFixedWindow call this whenever they are shown.
void applyInterfaceScale(QWidget &window);

// The scale the control's window is drawn at now (1 before it was first scaled).
qreal appliedScale(const QWidget &control);
// A designed rectangle at `scale`, so that neighbouring controls keep meeting edge to edge.
QRect scaledRect(const QRect &design, qreal scale);
// A control's place in the program's pixels, whatever the size it is drawn at.
QRect designGeometry(const QWidget &control);
// Makes `painter` draw on `control` in the program's pixels, so what a control paints by hand (a
// chart) grows with its window, text and margins included. Returns the control's size in them.
QSizeF paintInDesignPixels(QPainter &painter, const QWidget &control);
// Changing a control's size while the program runs: given in the program's pixels, drawn at the
// window's scale. Controls that take their picture's size go through here too.
void setDesignSize(QWidget &control, const QSize &size);

} // namespace kemuyi
