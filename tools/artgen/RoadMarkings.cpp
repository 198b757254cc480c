// Road markings seen from above. The wide pictures show a road section running left to right,
// traffic keeping to the right, so vehicles heading right use the lower half; the stop line and
// the emergency lane are narrow pictures with the road running up them.

#include "RoadKit.h"

namespace artgen {

namespace {

const QColor asphalt(0x5c, 0x61, 0x66);
const QColor verge(0xb6, 0xc2, 0xae);
const QColor paint(0xf4, 0xf4, 0xf2);

QImage roadPicture(const std::function<void(QPainter &)> &paintMarkings)
{
    return paintPicture(300, 120, asphalt, [&](QPainter &p) {
        p.fillRect(QRectF(0, 0, 300, 6), verge);
        p.fillRect(QRectF(0, 114, 300, 6), verge);
        paintMarkings(p);
    });
}

void solidLine(QPainter &p, qreal y, const QColor &color, qreal x0 = 0, qreal x1 = 300)
{
    p.fillRect(QRectF(x0, y - 1.5, x1 - x0, 3), color);
}

void dashedLine(QPainter &p, qreal y, const QColor &color, qreal dash = 26, qreal gap = 18,
                qreal x0 = 0, qreal x1 = 300)
{
    for (qreal x = x0 + 6; x < x1; x += dash + gap)
        p.fillRect(QRectF(x, y - 1.5, qMin(dash, x1 - x), 3), color);
}

void edgeLines(QPainter &p)
{
    solidLine(p, 10, paint);
    solidLine(p, 110, paint);
}

// A car seen from above, nose to the right.
void car(QPainter &p, QPointF centre, const QColor &body = QColor(0x3d, 0x7e, 0xb9))
{
    const QRectF shell(centre.x() - 24, centre.y() - 11, 48, 22);
    fillPath(p, roundedRect(shell.translated(1.5, 1.5), 6), QColor(0, 0, 0, 60));
    fillPath(p, roundedRect(shell, 6), body);
    const QColor glass(0x26, 0x33, 0x40);
    fillPath(p, roundedRect(QRectF(shell.left() + 27, shell.top() + 3, 8, 16), 2), glass);
    fillPath(p, roundedRect(QRectF(shell.left() + 6, shell.top() + 4, 5, 14), 2), glass);
}

// A painted lane arrow pointing right, telling the lanes' direction.
void laneArrow(QPainter &p, QPointF centre)
{
    QPainterPath shaft;
    shaft.moveTo(centre + QPointF(-16, 0));
    shaft.lineTo(centre + QPointF(6, 0));
    drawArrow(p, shaft, centre + QPointF(16, 0), 0, 3, 10, 10, paint);
}

void zebra(QPainter &p, qreal x, qreal width)
{
    for (qreal y = 14; y + 6 <= 108; y += 12)
        p.fillRect(QRectF(x, y, width, 6), paint);
}

QImage oneWayLanes(bool solid)
{
    return roadPicture([solid](QPainter &p) {
        edgeLines(p);
        if (solid)
            solidLine(p, 60, paint);
        else
            dashedLine(p, 60, paint);
        laneArrow(p, QPointF(80, 35));
        laneArrow(p, QPointF(80, 85));
        laneArrow(p, QPointF(230, 35));
        laneArrow(p, QPointF(230, 85));
    });
}

QImage yellowGrid()
{
    return roadPicture([](QPainter &p) {
        edgeLines(p);
        const QRectF box(80, 16, 140, 88);
        p.save();
        p.setClipRect(box);
        p.setPen(QPen(sign::markingYellow, 3));
        for (qreal x = box.left() - box.height(); x < box.right() + box.height(); x += 22) {
            p.drawLine(QPointF(x, box.top()), QPointF(x + box.height(), box.bottom()));
            p.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
        }
        p.restore();
        p.setPen(QPen(sign::markingYellow, 4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
    });
}

QImage diamond()
{
    return roadPicture([](QPainter &p) {
        edgeLines(p);
        dashedLine(p, 60, paint, 26, 18, 0, 240);
        QPainterPath shape;
        shape.moveTo(100, 85);
        shape.lineTo(150, 72);
        shape.lineTo(200, 85);
        shape.lineTo(150, 98);
        shape.closeSubpath();
        strokePath(p, shape, paint, 3.5, Qt::FlatCap, Qt::MiterJoin);
        zebra(p, 262, 38);
    });
}

QImage stopLine()
{
    return paintPicture(120, 120, asphalt, [](QPainter &p) {
        // The crossing road across the top, the approach below it.
        p.fillRect(QRectF(0, 0, 120, 30), asphalt.darker(112));
        road::hDashed(p, 15, 0, 120, road::yellow, 16, 24, 4);
        road::vSolid(p, 36, 30, 120, road::yellow);
        road::vSolid(p, 41, 30, 120, road::yellow);
        road::vSolid(p, 116, 30, 120, road::white);
        road::vSolid(p, 78, 36, 120, road::white);
        road::hSolid(p, 37, 43, 116, road::white, 6);
        road::laneArrow(p, QPointF(60, 80), road::Arrow::Straight, 56);
        road::laneArrow(p, QPointF(97, 80), road::Arrow::Right, 56);
        road::car(p, QPointF(18, 72), 90, road::carRed);
    });
}

QImage emergencyLane()
{
    return paintPicture(120, 120, asphalt, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 7, 120), verge);
        p.fillRect(QRectF(113, 0, 7, 120), verge);
        p.fillRect(QRectF(83, 0, 30, 120), asphalt.lighter(108));
        road::vSolid(p, 10, 0, 120, road::yellow);
        road::vDashed(p, 46, 0, 120, road::white, 24, 36, 10);
        road::vSolid(p, 81, 0, 120, road::white, 4);
        road::car(p, QPointF(28, 78), -90, road::carBlue);
        road::car(p, QPointF(63, 40), -90, road::carWhite);
        // A red frame picks out the lane the question is about.
        p.setPen(QPen(sign::red, 2.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(86, 4, 24, 112));
    });
}

} // namespace

void addRoadMarkings(std::vector<Artwork> &out)
{
    addPicture(out, "mark_double_yellow", [] {
        return roadPicture([](QPainter &p) {
            edgeLines(p);
            solidLine(p, 57, sign::markingYellow);
            solidLine(p, 63, sign::markingYellow);
        });
    });
    addPicture(out, "mark_yellow_dashed", [] {
        return roadPicture([](QPainter &p) {
            edgeLines(p);
            dashedLine(p, 60, sign::markingYellow);
        });
    });
    addPicture(out, "mark_yellow_solid_dashed", [] {
        return roadPicture([](QPainter &p) {
            edgeLines(p);
            solidLine(p, 57, sign::markingYellow);
            dashedLine(p, 63, sign::markingYellow);
            car(p, QPointF(150, 86));
        });
    });
    addPicture(out, "mark_white_solid", [] { return oneWayLanes(true); });
    addPicture(out, "mark_white_dashed", [] { return oneWayLanes(false); });
    addPicture(out, "mark_zebra", [] {
        return roadPicture([](QPainter &p) {
            edgeLines(p);
            dashedLine(p, 60, sign::markingYellow, 26, 18, 0, 110);
            dashedLine(p, 60, sign::markingYellow, 26, 18, 196, 300);
            zebra(p, 124, 56);
        });
    });
    addPicture(out, "mark_stop_line", stopLine);
    addPicture(out, "mark_yellow_grid", yellowGrid);
    addPicture(out, "mark_diamond", diamond);
    addPicture(out, "mark_emergency_lane", emergencyLane);
}

} // namespace artgen
