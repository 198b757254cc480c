#include "RoadKit.h"

#include <QtMath>

#include <algorithm>

namespace artgen::road {

void vSolid(QPainter &p, qreal x, qreal y0, qreal y1, const QColor &color, qreal width)
{
    p.fillRect(QRectF(x - width / 2, y0, width, y1 - y0), color);
}

void hSolid(QPainter &p, qreal y, qreal x0, qreal x1, const QColor &color, qreal width)
{
    p.fillRect(QRectF(x0, y - width / 2, x1 - x0, width), color);
}

void vDashed(QPainter &p, qreal x, qreal y0, qreal y1, const QColor &color, qreal dash,
             qreal gap, qreal phase, qreal width)
{
    for (qreal y = y0 + phase - (dash + gap); y < y1; y += dash + gap) {
        const qreal top = qMax(y, y0);
        const qreal bottom = qMin(y + dash, y1);
        if (bottom > top)
            p.fillRect(QRectF(x - width / 2, top, width, bottom - top), color);
    }
}

void hDashed(QPainter &p, qreal y, qreal x0, qreal x1, const QColor &color, qreal dash,
             qreal gap, qreal phase, qreal width)
{
    for (qreal x = x0 + phase - (dash + gap); x < x1; x += dash + gap) {
        const qreal left = qMax(x, x0);
        const qreal right = qMin(x + dash, x1);
        if (right > left)
            p.fillRect(QRectF(left, y - width / 2, right - left, width), color);
    }
}

namespace {

// Runs `paint` in a frame where the vehicle's nose points right and its centre is the origin.
void vehicleFrame(QPainter &p, QPointF centre, qreal degrees, const std::function<void()> &paint)
{
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    paint();
    p.restore();
}

} // namespace

void car(QPainter &p, QPointF centre, qreal degrees, const QColor &body, qreal length)
{
    vehicleFrame(p, centre, degrees, [&] {
        const qreal w = length * 0.46;
        const QRectF shell(-length / 2, -w / 2, length, w);
        fillPath(p, roundedRect(shell.translated(1.2, 1.2), w * 0.28), QColor(0, 0, 0, 60));
        fillPath(p, roundedRect(shell, w * 0.28), body);
        // Windscreen towards the nose, rear window at the tail.
        fillPath(p, roundedRect(QRectF(length * 0.06, -w * 0.36, length * 0.17, w * 0.72), 2), glass);
        fillPath(p, roundedRect(QRectF(-length * 0.38, -w * 0.32, length * 0.1, w * 0.64), 2), glass);
    });
}

void motorcycle(QPainter &p, QPointF centre, qreal degrees, const QColor &body, qreal length)
{
    vehicleFrame(p, centre, degrees, [&] {
        const qreal l = length;
        const QColor tyre(0x22, 0x24, 0x27);
        // Shadow, then the two wheels at either end and the bodywork between them.
        fillPath(p, roundedRect(QRectF(-l / 2, -l * 0.12, l, l * 0.24).translated(1.2, 1.2), l * 0.1),
                 QColor(0, 0, 0, 60));
        fillPath(p, roundedRect(QRectF(-l / 2, -l * 0.08, l * 0.3, l * 0.16), l * 0.06), tyre);
        fillPath(p, roundedRect(QRectF(l * 0.22, -l * 0.08, l * 0.28, l * 0.16), l * 0.06), tyre);
        fillPath(p, roundedRect(QRectF(-l * 0.34, -l * 0.13, l * 0.68, l * 0.26), l * 0.1), body);
        // Handlebar across the front.
        fillPath(p, roundedRect(QRectF(l * 0.2, -l * 0.3, l * 0.07, l * 0.6), l * 0.03), tyre);
        // The rider: shoulders and a white helmet with its visor towards the front.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x36, 0x3b));
        p.drawEllipse(QPointF(-l * 0.06, 0), l * 0.14, l * 0.27);
        p.setBrush(QColor(0xf2, 0xf2, 0xf0));
        p.drawEllipse(QPointF(l * 0.02, 0), l * 0.13, l * 0.13);
        p.restore();
        fillPath(p, roundedRect(QRectF(l * 0.08, -l * 0.08, l * 0.06, l * 0.16), l * 0.02), glass);
    });
}

void ownVehicle(QPainter &p, Own own, QPointF centre, qreal degrees, qreal carLength)
{
    if (own == Own::Car)
        car(p, centre, degrees, carBlue, carLength);
    else
        motorcycle(p, centre, degrees, carBlue, std::max<qreal>(22, carLength * 0.7));
}

void bus(QPainter &p, QPointF centre, qreal degrees, const QColor &body, qreal length)
{
    vehicleFrame(p, centre, degrees, [&] {
        const qreal w = 22;
        const QRectF shell(-length / 2, -w / 2, length, w);
        fillPath(p, roundedRect(shell.translated(1.2, 1.2), 3), QColor(0, 0, 0, 60));
        fillPath(p, roundedRect(shell, 3), body);
        fillPath(p, roundedRect(QRectF(length / 2 - 7, -w / 2 + 2, 5, w - 4), 1.5), glass);
        // Roof hatches tell a bus from a lorry.
        const QColor hatch = body.lighter(130);
        for (qreal x : {-length * 0.28, 0.0, length * 0.2})
            fillPath(p, roundedRect(QRectF(x - 4, -4, 8, 8), 1.5), hatch);
    });
}

void walkerFromAbove(QPainter &p, QPointF centre, const QColor &coat)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(coat);
    p.drawEllipse(centre, 7, 4);
    p.setBrush(QColor(0x2b, 0x22, 0x1c));
    p.drawEllipse(centre, 3.2, 3.2);
    p.restore();
}

namespace {

QPainterPath arrowShaft(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    return path;
}

// Lane arrows in a 100-tall box: a 6-wide stem and a 24-long, 22-wide head.
void headedStem(QPainter &p, const QPainterPath &shaft, QPointF tip, qreal degrees,
                const QColor &color)
{
    drawArrow(p, shaft, tip, degrees, 6, 24, 22, color);
}

void turnBranch(QPainter &p, qreal side, qreal stemX, qreal fromY, qreal toY, const QColor &color)
{
    // side = -1 turns left, +1 turns right; the branch bends off the stem and ends in a head.
    QPainterPath branch;
    branch.moveTo(stemX, fromY);
    branch.lineTo(stemX, toY + 14);
    branch.quadTo(stemX, toY, stemX + side * 12, toY);
    headedStem(p, branch, QPointF(stemX + side * 34, toY), side < 0 ? 180 : 0, color);
}

} // namespace

void laneArrow(QPainter &p, QPointF centre, Arrow kind, qreal length, const QColor &color)
{
    p.save();
    p.translate(centre);
    p.scale(length / 100, length / 100);
    switch (kind) {
    case Arrow::Straight:
        headedStem(p, arrowShaft({{0, 50}, {0, -26}}), QPointF(0, -50), -90, color);
        break;
    case Arrow::Left:
        turnBranch(p, -1, 10, 50, -20, color);
        break;
    case Arrow::Right:
        turnBranch(p, 1, -10, 50, -20, color);
        break;
    case Arrow::StraightLeft:
        headedStem(p, arrowShaft({{8, 50}, {8, -26}}), QPointF(8, -50), -90, color);
        turnBranch(p, -1, 8, 24, 0, color);
        break;
    case Arrow::StraightRight:
        headedStem(p, arrowShaft({{-8, 50}, {-8, -26}}), QPointF(-8, -50), -90, color);
        turnBranch(p, 1, -8, 24, 0, color);
        break;
    case Arrow::UTurn: {
        QPainterPath shaft;
        shaft.moveTo(12, 50);
        shaft.lineTo(12, -24);
        shaft.arcTo(QRectF(-16, -38, 28, 28), 0, 180);
        shaft.lineTo(-16, -4);
        headedStem(p, shaft, QPointF(-16, 20), 90, color);
        break;
    }
    case Arrow::MergeLeft: {
        const QPointF bend(10, 6);
        const QPointF end(-4, -24);
        const QPointF dir = (end - bend) / std::hypot(end.x() - bend.x(), end.y() - bend.y());
        const qreal degrees = qRadiansToDegrees(std::atan2(dir.y(), dir.x()));
        headedStem(p, arrowShaft({{10, 50}, bend, end}), end + dir * 24, degrees, color);
        break;
    }
    }
    p.restore();
}

void standingPerson(QPainter &p, QPointF feet, qreal height, const QColor &coat, bool child)
{
    const qreal h = height;
    const qreal head = child ? h * 0.13 : h * 0.1;
    p.save();
    p.setPen(QPen(QColor(0x33, 0x3a, 0x44), h * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(feet + QPointF(-h * 0.07, 0), feet + QPointF(-h * 0.04, -h * 0.42));
    p.drawLine(feet + QPointF(h * 0.07, 0), feet + QPointF(h * 0.04, -h * 0.42));
    p.setPen(Qt::NoPen);
    p.setBrush(coat);
    p.drawPath(roundedRect(QRectF(feet.x() - h * 0.12, feet.y() - h * 0.78, h * 0.24, h * 0.4),
                           h * 0.06));
    p.setBrush(QColor(0xf0, 0xc8, 0xa0));
    p.drawEllipse(feet + QPointF(0, -h * 0.78 - head), head, head);
    p.restore();
}

} // namespace artgen::road
