#pragma once

#include "IllustrationKit.h"

namespace artgen {

// Shared pieces for road pictures seen from above and from the driver's seat. In the narrow
// top-down pictures the road runs up the picture and traffic drives up it on the right.
namespace road {

inline const QColor asphalt(0x5c, 0x61, 0x66);
inline const QColor verge(0xb6, 0xc2, 0xae);
inline const QColor pavement(0xc9, 0xc6, 0xbd);
inline const QColor white(0xf4, 0xf4, 0xf2);
// A reference, not a copy: a copy made while the program starts may run before the sign
// colours are set and keep an invalid colour.
inline const QColor &yellow = sign::markingYellow;
inline const QColor carBlue(0x3d, 0x7e, 0xb9);
inline const QColor carRed(0xc4, 0x3b, 0x32);
inline const QColor carWhite(0xe6, 0xe8, 0xea);
inline const QColor glass(0x26, 0x33, 0x40);

// Painted lines: `width` across, dashes of `dash` with gaps of `gap`, starting at `phase`.
void vSolid(QPainter &p, qreal x, qreal y0, qreal y1, const QColor &color, qreal width = 3);
void hSolid(QPainter &p, qreal y, qreal x0, qreal x1, const QColor &color, qreal width = 3);
void vDashed(QPainter &p, qreal x, qreal y0, qreal y1, const QColor &color, qreal dash,
             qreal gap, qreal phase = 0, qreal width = 3);
void hDashed(QPainter &p, qreal y, qreal x0, qreal x1, const QColor &color, qreal dash,
             qreal gap, qreal phase = 0, qreal width = 3);

// A vehicle seen from above, centred on `centre`, nose towards `degrees` (-90 = up, 0 = right).
void car(QPainter &p, QPointF centre, qreal degrees, const QColor &body = carBlue,
         qreal length = 40);
// A motorcycle and its helmeted rider seen from above, like `car`.
void motorcycle(QPainter &p, QPointF centre, qreal degrees, const QColor &body = carBlue,
                qreal length = 22);

// What the learner rides in a road picture: the picture is drawn once for car questions and once
// for motorcycle questions, with the same road and the same other traffic.
enum class Own { Car, Motorcycle };
// The learner's vehicle in blue: a car of `carLength`, or a motorcycle in its place.
void ownVehicle(QPainter &p, Own own, QPointF centre, qreal degrees, qreal carLength);

void bus(QPainter &p, QPointF centre, qreal degrees, const QColor &body = QColor(0x2e, 0x9e, 0x5b),
         qreal length = 70);
// A person seen from above: shoulders and head.
void walkerFromAbove(QPainter &p, QPointF centre, const QColor &coat);

// The kinds of painted lane arrow.
enum class Arrow { Straight, Left, Right, StraightLeft, StraightRight, UTurn, MergeLeft };

// A painted lane arrow, pointing up, its box `length` tall centred on `centre`.
void laneArrow(QPainter &p, QPointF centre, Arrow kind, qreal length, const QColor &color = white);

// A person standing, seen from the front or side, feet at `feet`, `height` tall.
void standingPerson(QPainter &p, QPointF feet, qreal height, const QColor &coat,
                    bool child = false);

} // namespace road

} // namespace artgen
