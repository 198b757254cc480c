#pragma once

// Sign faces and the pictograms signs share (vehicles, people, animals), so each sign
// file only places a symbol on its face.

#include "IllustrationKit.h"

namespace artgen {

// Where a warning triangle's symbol is centred on the 120 × 120 canvas.
inline constexpr QPointF warningSymbolCentre(60, 76);

// A yellow warning triangle with black border; `symbol` gets the symbol centre.
QImage warningSignPicture(const std::function<void(QPainter &, QPointF)> &symbol);

// A white prohibition disc with red ring; with `slash` the red bar is drawn before the symbol.
QImage prohibitionSignPicture(bool slash, const std::function<void(QPainter &, QPointF)> &symbol);

// A blue indication disc.
QImage indicationDiscPicture(const std::function<void(QPainter &, QPointF)> &symbol);

// A plate with a thin white inner border, centred on the canvas, of the given size and colour.
QImage platePicture(qreal width, qreal height, const QColor &ground,
                    const std::function<void(QPainter &, QRectF inner)> &symbol);

// A black end-of-restriction disc (white field, black ring, five thin black diagonals) over
// a symbol drawn in grey.
QImage endOfRestrictionPicture(const std::function<void(QPainter &, QPointF)> &symbol);

// Pictograms, each drawn in a 100 × 100 box centred on the origin (see inSymbolBox).
namespace pictogram {
void carSide(QPainter &p, const QColor &ink, const QColor &ground);
void carRear(QPainter &p, const QColor &ink, const QColor &ground);
void truckSide(QPainter &p, const QColor &ink, const QColor &ground);
void busSide(QPainter &p, const QColor &ink, const QColor &ground);
void motorcycle(QPainter &p, const QColor &ink);
void tractor(QPainter &p, const QColor &ink, const QColor &ground);
void bicycle(QPainter &p, const QColor &ink);
void walker(QPainter &p, const QColor &ink);
void horn(QPainter &p, const QColor &ink);
void cow(QPainter &p, const QColor &ink);
void deer(QPainter &p, const QColor &ink);
void locomotive(QPainter &p, const QColor &ink, const QColor &ground);
void telephone(QPainter &p, const QColor &ink);
void fuelPump(QPainter &p, const QColor &ink, const QColor &ground);
void knifeAndFork(QPainter &p, const QColor &ink);
} // namespace pictogram

// Arrows from one stem in a 100 × 100 box: any of left, straight on and right.
void drawBranchArrows(QPainter &p, bool left, bool straight, bool right, const QColor &color);

// An upward and a downward arrow side by side (meeting traffic); the right one points up.
void drawMeetingArrows(QPainter &p, const QColor &up, const QColor &down, bool upGoesFirst);

// Three arrows round a ring of radius r, turning anticlockwise as traffic on a roundabout does.
void drawRingArrows(QPainter &p, QPointF c, qreal r, qreal width, qreal headWidth,
                    const QColor &color);

// Round-capped stroke through the given points.
void polyline(QPainter &p, std::initializer_list<QPointF> points, const QColor &ink, qreal width);

} // namespace artgen
