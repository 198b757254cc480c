#pragma once

#include "ArtGen.h"
#include "Painting.h"

#include <functional>

namespace artgen {

// Adds pic/<name>.jpg to the list.
void addPicture(std::vector<Artwork> &out, const char *name, std::function<QImage()> draw);

// Draws a picture of the given size on a flat ground.
QImage paintPicture(int width, int height, const QColor &ground,
                    const std::function<void(QPainter &)> &paint);

void fillPath(QPainter &p, const QPainterPath &path, const QColor &color);
void strokePath(QPainter &p, const QPainterPath &path, const QColor &color, qreal width,
                Qt::PenCapStyle cap = Qt::FlatCap, Qt::PenJoinStyle join = Qt::MiterJoin);

// A filled arrowhead whose tip is at `tip`, pointing along `degrees` (0 = right, 90 = down).
QPainterPath arrowHead(QPointF tip, qreal degrees, qreal length, qreal width);

// Strokes `shaft` and puts a head on it at `tip`; the shaft should end where the head begins.
void drawArrow(QPainter &p, const QPainterPath &shaft, QPointF tip, qreal degrees, qreal shaftWidth,
               qreal headLength, qreal headWidth, const QColor &color);

// Runs `paint` with the origin at `c` scaled by `scale`: symbols are drawn in a 100 × 100 box.
void inSymbolBox(QPainter &p, QPointF c, qreal scale, const std::function<void()> &paint);

// A turn arrow in a 100 × 100 box centred on the origin: up from the bottom, then left or right.
void drawTurnArrow(QPainter &p, bool left, const QColor &color, qreal sharpness = 1.0);
// A straight arrow in the same box, pointing up.
void drawStraightArrow(QPainter &p, const QColor &color);

// Text centred on a point by its ink, not its line box, so numerals sit in the middle of a sign.
void drawCentredText(QPainter &p, QPointF centre, const QString &text, const QFont &font,
                     const QColor &color);

// A 120 × 120 sign canvas on white.
QImage signPicture(const std::function<void(QPainter &, QPointF centre)> &paint);

// Round signs with radius 56 centred on `c`.
void paintProhibitionDisc(QPainter &p, QPointF c, const QColor &field = sign::white);
void paintIndicationDisc(QPainter &p, QPointF c);
void paintProhibitionSlash(QPainter &p, QPointF c);

} // namespace artgen
