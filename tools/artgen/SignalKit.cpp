#include "SignalKit.h"

namespace artgen::lights {

QColor litColor(Lamp lamp)
{
    switch (lamp) {
    case Lamp::Red: return QColor(0xff, 0x2e, 0x2e);
    case Lamp::Yellow: return QColor(0xff, 0xbf, 0x1a);
    case Lamp::Green: return QColor(0x1f, 0xd1, 0x6b);
    }
    return Qt::white;
}

QColor darkColor(Lamp lamp)
{
    switch (lamp) {
    case Lamp::Red: return QColor(0x4a, 0x26, 0x26);
    case Lamp::Yellow: return QColor(0x4a, 0x40, 0x24);
    case Lamp::Green: return QColor(0x23, 0x40, 0x2f);
    }
    return Qt::black;
}

void glow(QPainter &p, QPointF centre, qreal radius, const QColor &color)
{
    QRadialGradient halo(centre, radius * 1.7);
    QColor inner = color;
    inner.setAlpha(110);
    QColor outer = color;
    outer.setAlpha(0);
    halo.setColorAt(0.55, inner);
    halo.setColorAt(1.0, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius * 1.7, radius * 1.7);
}

void roundLamp(QPainter &p, QPointF centre, Lamp lamp, bool lit, qreal radius)
{
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient face(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
        face.setColorAt(0.0, litColor(lamp).lighter(140));
        face.setColorAt(1.0, litColor(lamp));
        p.setBrush(face);
    } else {
        p.setBrush(darkColor(lamp));
    }
    p.drawEllipse(centre, radius, radius);
}

void arrowLamp(QPainter &p, QPointF centre, Lamp lamp, bool lit)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x2d, 0x30));
    p.drawEllipse(centre, 14, 14);
    QPainterPath shaft;
    shaft.moveTo(centre + QPointF(10, 0));
    shaft.lineTo(centre + QPointF(-2, 0));
    drawArrow(p, shaft, centre + QPointF(-11, 0), 180, 6, 10, 15,
              lit ? litColor(lamp) : darkColor(lamp));
}

} // namespace artgen::lights
