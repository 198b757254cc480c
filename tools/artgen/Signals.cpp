// Traffic signals: black housings with one lamp lit, the others dark but still telling their
// colour, so the learner sees which position is lit.

#include "SignalKit.h"

#include <QtMath>

namespace artgen {

namespace {

using namespace lights;

QRectF housingAround(QPointF centre, int lamps)
{
    const qreal h = lamps * 34 + 6;
    return QRectF(centre.x() - 21, centre.y() - h / 2, 42, h);
}

void verticalSignal(QPainter &p, QPointF centre, const std::function<void(QPointF, Lamp)> &lamp)
{
    fillPath(p, roundedRect(housingAround(centre, 3), 6), housing);
    const Lamp order[] = {Lamp::Red, Lamp::Yellow, Lamp::Green};
    for (int i = 0; i < 3; ++i)
        lamp(centre + QPointF(0, (i - 1) * 34), order[i]);
}

QImage threeLampSignal(Lamp litLamp)
{
    return paintPicture(120, 120, sky, [litLamp](QPainter &p) {
        const QPointF c(60, 60);
        verticalSignal(p, c, [&](QPointF at, Lamp lamp) {
            if (lamp == litLamp)
                glow(p, at, 14, litColor(lamp));
        });
        verticalSignal(p, c, [&](QPointF at, Lamp lamp) { roundLamp(p, at, lamp, lamp == litLamp); });
    });
}

QImage leftArrowBesideRed()
{
    return paintPicture(200, 120, sky, [](QPainter &p) {
        const QPointF arrows(72, 60);
        const QPointF rounds(128, 60);
        glow(p, arrows + QPointF(0, 34), 14, litColor(Lamp::Green));
        glow(p, rounds + QPointF(0, -34), 14, litColor(Lamp::Red));
        verticalSignal(p, arrows, [&](QPointF at, Lamp lamp) {
            arrowLamp(p, at, lamp, lamp == Lamp::Green);
        });
        verticalSignal(p, rounds, [&](QPointF at, Lamp lamp) {
            roundLamp(p, at, lamp, lamp == Lamp::Red);
        });
    });
}

QImage flashingYellow()
{
    return paintPicture(120, 120, sky, [](QPainter &p) {
        const QPointF c(60, 60);
        const QColor yellow = litColor(Lamp::Yellow);
        p.setPen(QPen(yellow, 4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const qreal a = qDegreesToRadians(i * 30.0 + 15);
            const QPointF dir(qCos(a), qSin(a));
            p.drawLine(c + dir * 38, c + dir * 52);
        }
        fillPath(p, roundedRect(QRectF(c.x() - 27, c.y() - 27, 54, 54), 8), housing);
        glow(p, c, 14, yellow);
        roundLamp(p, c, Lamp::Yellow, true, 18);
    });
}

// A lane signal hung from a gantry over one lane of road.
QImage laneSignal(bool open)
{
    return paintPicture(200, 120, sky, [open](QPainter &p) {
        QPainterPath lane;
        lane.moveTo(70, 74);
        lane.lineTo(28, 120);
        lane.moveTo(130, 74);
        lane.lineTo(172, 120);
        QPainterPath road;
        road.moveTo(20, 74);
        road.lineTo(180, 74);
        road.lineTo(200, 96);
        road.lineTo(200, 120);
        road.lineTo(0, 120);
        road.lineTo(0, 96);
        road.closeSubpath();
        fillPath(p, road, QColor(0x5c, 0x61, 0x66));
        strokePath(p, lane, Qt::white, 3);
        p.fillRect(QRectF(0, 8, 200, 7), QColor(0x8a, 0x93, 0x99));
        p.fillRect(QRectF(97, 15, 6, 6), QColor(0x8a, 0x93, 0x99));
        const QRectF box(77, 20, 46, 46);
        fillPath(p, roundedRect(box, 5), housing);
        const QPointF c = box.center();
        if (open) {
            QPainterPath shaft;
            shaft.moveTo(c + QPointF(0, -16));
            shaft.lineTo(c + QPointF(0, 3));
            drawArrow(p, shaft, c + QPointF(0, 17), 90, 7, 14, 22, litColor(Lamp::Green));
        } else {
            p.setPen(QPen(litColor(Lamp::Red), 7, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(-13, -13), c + QPointF(13, 13));
            p.drawLine(c + QPointF(13, -13), c + QPointF(-13, 13));
        }
    });
}

} // namespace

void addSignals(std::vector<Artwork> &out)
{
    addPicture(out, "light_red", [] { return threeLampSignal(Lamp::Red); });
    addPicture(out, "light_yellow", [] { return threeLampSignal(Lamp::Yellow); });
    addPicture(out, "light_green", [] { return threeLampSignal(Lamp::Green); });
    addPicture(out, "light_green_left_arrow", leftArrowBesideRed);
    addPicture(out, "light_yellow_flashing", flashingYellow);
    addPicture(out, "light_lane_red_x", [] { return laneSignal(false); });
    addPicture(out, "light_lane_green_arrow", [] { return laneSignal(true); });
}

} // namespace artgen
