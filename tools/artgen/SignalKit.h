#pragma once

#include "IllustrationKit.h"

namespace artgen {

// Pieces of traffic signal heads: black housings, lit lamps with a glow, dark lamps that still
// tell their colour.
namespace lights {

enum class Lamp { Red, Yellow, Green };

inline const QColor housing(0x1e, 0x21, 0x24);
inline const QColor sky(0xe9, 0xef, 0xf3);

QColor litColor(Lamp lamp);
QColor darkColor(Lamp lamp);

void glow(QPainter &p, QPointF centre, qreal radius, const QColor &color);
void roundLamp(QPainter &p, QPointF centre, Lamp lamp, bool lit, qreal radius = 14);
// A left arrow lamp: the arrow is the light, the disc around it stays dark.
void arrowLamp(QPainter &p, QPointF centre, Lamp lamp, bool lit);

} // namespace lights

} // namespace artgen
