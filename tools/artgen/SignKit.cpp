#include "SignKit.h"

#include <QtMath>

namespace artgen {

QImage warningSignPicture(const std::function<void(QPainter &, QPointF)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF) {
        QPainterPath outer;
        outer.moveTo(60, 8);
        outer.lineTo(115, 106);
        outer.lineTo(5, 106);
        outer.closeSubpath();
        // Yellow rim, then the black border with rounded corners, then the yellow field.
        p.setPen(QPen(QColor(0xc8, 0xa2, 0x00), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(sign::yellow);
        p.drawPath(outer);
        p.setPen(QPen(sign::yellow, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(outer);
        const QPointF centroid(60, (8 + 106 + 106) / 3.0);
        QTransform shrink;
        shrink.translate(centroid.x(), centroid.y());
        shrink.scale(0.9, 0.9);
        shrink.translate(-centroid.x(), -centroid.y());
        p.setPen(QPen(sign::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shrink.map(outer));
        symbol(p, warningSymbolCentre);
    });
}

QImage prohibitionSignPicture(bool slash, const std::function<void(QPainter &, QPointF)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c);
        if (slash)
            paintProhibitionSlash(p, c);
        symbol(p, c);
    });
}

QImage indicationDiscPicture(const std::function<void(QPainter &, QPointF)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF c) {
        paintIndicationDisc(p, c);
        symbol(p, c);
    });
}

QImage platePicture(qreal width, qreal height, const QColor &ground,
                    const std::function<void(QPainter &, QRectF inner)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF c) {
        const QRectF plate(c.x() - width / 2, c.y() - height / 2, width, height);
        p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.0));
        p.setBrush(ground);
        p.drawPath(roundedRect(plate, 7));
        const QRectF inner = plate.adjusted(4, 4, -4, -4);
        p.setPen(QPen(sign::white, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedRect(inner, 5));
        symbol(p, inner);
    });
}

QImage endOfRestrictionPicture(const std::function<void(QPainter &, QPointF)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF c) {
        p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.0));
        p.setBrush(sign::white);
        p.drawEllipse(c, 56.5, 56.5);
        p.setPen(QPen(sign::black, 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 52, 52);
        symbol(p, c);
        // Thin parallel lines from lower left to upper right cancel the restriction.
        p.save();
        QPainterPath inside;
        inside.addEllipse(c, 49, 49);
        p.setClipPath(inside);
        p.setPen(QPen(sign::black, 2.6, Qt::SolidLine, Qt::FlatCap));
        for (int i = -2; i <= 2; ++i) {
            const QPointF shift(i * 5.0, i * 5.0);
            p.drawLine(c + shift + QPointF(-50, 50), c + shift + QPointF(50, -50));
        }
        p.restore();
    });
}

void polyline(QPainter &p, std::initializer_list<QPointF> points, const QColor &ink, qreal width)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    strokePath(p, path, ink, width, Qt::RoundCap, Qt::RoundJoin);
}

void drawBranchArrows(QPainter &p, bool left, bool straight, bool right, const QColor &color)
{
    const qreal shaft = 14, headLength = 28, headWidth = 36;
    if (left && right && !straight) {
        QPainterPath stem;
        stem.moveTo(0, 46);
        stem.lineTo(0, -14);
        strokePath(p, stem, color, shaft);
        QPainterPath across;
        across.moveTo(-20, -14);
        across.lineTo(20, -14);
        drawArrow(p, across, QPointF(46, -14), 0, shaft, headLength, headWidth, color);
        fillPath(p, arrowHead(QPointF(-46, -14), 180, headLength + 1, headWidth), color);
        return;
    }
    // One turn beside the straight arrow: the stem sits off centre, away from the turn.
    const qreal s = left ? 1 : -1;
    const qreal x = s * 12;
    QPainterPath stem;
    stem.moveTo(x, 46);
    stem.lineTo(x, -16);
    drawArrow(p, stem, QPointF(x, -46), -90, shaft, headLength, headWidth, color);
    QPainterPath turn;
    turn.moveTo(x, 22);
    turn.cubicTo(QPointF(x, 6), QPointF(x - s * 6, 0), QPointF(x - s * 22, 0));
    turn.lineTo(x - s * 30, 0);
    drawArrow(p, turn, QPointF(x - s * 58, 0), left ? 180 : 0, shaft, headLength, headWidth, color);
}

void drawMeetingArrows(QPainter &p, const QColor &up, const QColor &down, bool upGoesFirst)
{
    // The direction that goes first has the heavier arrow.
    const qreal heavy[] = {13, 34}, light[] = {11, 30};
    const qreal *upSize = upGoesFirst ? heavy : light;
    const qreal *downSize = upGoesFirst ? light : heavy;
    QPainterPath rising;
    rising.moveTo(15, 44);
    rising.lineTo(15, -14);
    drawArrow(p, rising, QPointF(15, -44), -90, upSize[0], 30, upSize[1], up);
    QPainterPath falling;
    falling.moveTo(-15, -44);
    falling.lineTo(-15, 14);
    drawArrow(p, falling, QPointF(-15, 44), 90, downSize[0], 30, downSize[1], down);
}

void drawRingArrows(QPainter &p, QPointF c, qreal r, qreal width, qreal headWidth,
                    const QColor &color)
{
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    const auto onRing = [&](qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(c.x() + r * qCos(a), c.y() - r * qSin(a));
    };
    for (int i = 0; i < 3; ++i) {
        const qreal start = 90 + i * 120 + 12;
        const qreal end = start + 62;
        QPainterPath arc;
        arc.arcMoveTo(ring, start);
        arc.arcTo(ring, start, end - start);
        const QPointF base = onRing(end);
        const QPointF chord = onRing(end + 36) - base;
        const qreal heading = qRadiansToDegrees(qAtan2(chord.y(), chord.x()));
        const qreal length = qSqrt(QPointF::dotProduct(chord, chord));
        strokePath(p, arc, color, width);
        fillPath(p, arrowHead(base + chord, heading, length + 1, headWidth), color);
    }
}

namespace pictogram {

namespace {

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath rectPath(const QRectF &r)
{
    QPainterPath path;
    path.addRect(r);
    return path;
}

void disc(QPainter &p, QPointF c, qreal r, const QColor &color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, r, r);
    p.restore();
}

// A wheel set into the body: a ground-coloured gap, then the tyre.
void wheel(QPainter &p, QPointF c, qreal r, const QColor &ink, const QColor &ground)
{
    disc(p, c, r + 2.5, ground);
    disc(p, c, r, ink);
}

} // namespace

void carSide(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, roundedRect(QRectF(-46, 0, 92, 20), 5), ink);
    fillPath(p, polygon({{-28, 2}, {-17, -19}, {15, -19}, {30, 2}}), ink);
    fillPath(p, polygon({{-21, -1}, {-13, -14}, {-3, -14}, {-3, -1}}), ground);
    fillPath(p, polygon({{2, -1}, {2, -14}, {12, -14}, {22, -1}}), ground);
    wheel(p, {-26, 21}, 9.5, ink, ground);
    wheel(p, {26, 21}, 9.5, ink, ground);
}

void carRear(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, polygon({{-24, -2}, {-18, -26}, {18, -26}, {24, -2}}), ink);
    fillPath(p, roundedRect(QRectF(-36, -4, 72, 26), 5), ink);
    fillPath(p, polygon({{-17, -6}, {-13, -21}, {13, -21}, {17, -6}}), ground);
    fillPath(p, roundedRect(QRectF(-31, 3, 11, 6), 1.5), ground);
    fillPath(p, roundedRect(QRectF(20, 3, 11, 6), 1.5), ground);
    fillPath(p, roundedRect(QRectF(-33, 20, 14, 12), 2), ink);
    fillPath(p, roundedRect(QRectF(19, 20, 14, 12), 2), ink);
}

void truckSide(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, rectPath(QRectF(-18, -28, 64, 40)), ink);
    fillPath(p, polygon({{-47, 20}, {-47, -2}, {-39, -18}, {-22, -18}, {-22, 20}}), ink);
    fillPath(p, polygon({{-43, -3}, {-37, -13}, {-27, -13}, {-27, -3}}), ground);
    fillPath(p, rectPath(QRectF(-47, 12, 93, 8)), ink);
    wheel(p, {-33, 22}, 8.5, ink, ground);
    wheel(p, {18, 22}, 8.5, ink, ground);
    wheel(p, {36, 22}, 8.5, ink, ground);
}

void busSide(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, roundedRect(QRectF(-47, -26, 94, 44), 6), ink);
    for (int i = 0; i < 5; ++i)
        fillPath(p, roundedRect(QRectF(-29 + i * 15, -20, 11, 14), 1.5), ground);
    fillPath(p, roundedRect(QRectF(-42, -20, 9, 30), 1.5), ground); // door
    wheel(p, {-27, 20}, 8.5, ink, ground);
    wheel(p, {27, 20}, 8.5, ink, ground);
}

void motorcycle(QPainter &p, const QColor &ink)
{
    p.save();
    p.setPen(QPen(ink, 5.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-28, 17), 13, 13);
    p.drawEllipse(QPointF(29, 17), 13, 13);
    p.restore();
    disc(p, {-28, 17}, 3.5, ink);
    disc(p, {29, 17}, 3.5, ink);
    // Tank and engine, seat, swing arm, fork, handlebar, headlamp.
    fillPath(p, polygon({{-10, -6}, {4, -14}, {18, -12}, {20, -2}, {12, 12}, {-6, 12}}), ink);
    polyline(p, {{-36, -9}, {-10, -9}}, ink, 6);
    polyline(p, {{-28, 17}, {-4, 8}}, ink, 5.5);
    polyline(p, {{29, 17}, {17, -17}}, ink, 5.5);
    polyline(p, {{10, -19}, {20, -21}}, ink, 5);
    disc(p, {24, -9}, 4.5, ink);
}

void tractor(QPainter &p, const QColor &ink, const QColor &ground)
{
    // Facing left: bonnet and exhaust in front, open cab over the big rear wheel.
    fillPath(p, roundedRect(QRectF(-40, -4, 46, 16), 3), ink);
    polyline(p, {{-28, -4}, {-28, -20}}, ink, 5);
    polyline(p, {{4, 8}, {4, -28}, {28, -28}, {30, -8}}, ink, 5);
    fillPath(p, roundedRect(QRectF(2, -10, 14, 6), 1.5), ink);
    wheel(p, {20, 14}, 17, ink, ground);
    disc(p, {20, 14}, 6, ground);
    wheel(p, {-28, 22}, 9, ink, ground);
    disc(p, {-28, 22}, 3, ground);
}

void bicycle(QPainter &p, const QColor &ink)
{
    p.save();
    p.setPen(QPen(ink, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-27, 16), 16, 16);
    p.drawEllipse(QPointF(27, 16), 16, 16);
    p.restore();
    const QPointF rear(-27, 16), crank(-2, 16), seat(-11, -12), head(17, -12), front(27, 16);
    polyline(p, {rear, crank, head, front}, ink, 5);
    polyline(p, {rear, seat, crank}, ink, 5);
    polyline(p, {seat, head}, ink, 5);
    polyline(p, {seat, {-13, -17}}, ink, 5);
    polyline(p, {{-20, -18}, {-6, -18}}, ink, 5.5);
    polyline(p, {head, {14, -22}, {23, -23}}, ink, 5);
}

void walker(QPainter &p, const QColor &ink)
{
    disc(p, {5, -37}, 8.5, ink);
    polyline(p, {{1, -24}, {-3, 4}}, ink, 12);
    polyline(p, {{1, -21}, {12, -8}, {20, 2}}, ink, 7);
    polyline(p, {{0, -21}, {-11, -8}, {-18, 1}}, ink, 7);
    polyline(p, {{-3, 4}, {8, 22}, {15, 42}}, ink, 8);
    polyline(p, {{-3, 4}, {-11, 24}, {-24, 40}}, ink, 8);
}

void horn(QPainter &p, const QColor &ink)
{
    fillPath(p, polygon({{-38, -8}, {-14, -8}, {30, -28}, {30, 28}, {-14, 8}, {-38, 8}}), ink);
    fillPath(p, roundedRect(QRectF(-44, -11, 8, 22), 2), ink);
    fillPath(p, roundedRect(QRectF(28, -30, 8, 60), 3), ink);
}

void cow(QPainter &p, const QColor &ink)
{
    fillPath(p, roundedRect(QRectF(-24, -16, 56, 28), 8), ink);
    for (qreal x : {-20.0, -11.0, 18.0, 26.0})
        fillPath(p, roundedRect(QRectF(x - 3.5, 6, 7, 26), 2), ink);
    fillPath(p, polygon({{-18, -15}, {-34, -20}, {-45, -10}, {-44, -1}, {-36, 2}, {-20, 2}}), ink);
    polyline(p, {{-32, -19}, {-28, -28}}, ink, 4);
    polyline(p, {{-39, -17}, {-44, -26}}, ink, 4);
    polyline(p, {{31, -12}, {37, 6}}, ink, 3.5);
}

void deer(QPainter &p, const QColor &ink)
{
    QPainterPath body;
    body.addEllipse(QPointF(6, 0), 25, 11);
    fillPath(p, body, ink);
    polyline(p, {{-14, -3}, {-24, -20}}, ink, 9);
    QPainterPath head;
    head.addEllipse(QPointF(-30, -22), 9, 5.5);
    fillPath(p, head, ink);
    polyline(p, {{-25, -26}, {-20, -44}}, ink, 3.5);
    polyline(p, {{-22, -36}, {-12, -42}}, ink, 3.5);
    polyline(p, {{-29, -27}, {-34, -42}}, ink, 3.5);
    polyline(p, {{-32, -36}, {-41, -40}}, ink, 3.5);
    polyline(p, {{-12, 6}, {-26, 16}, {-38, 20}}, ink, 5);
    polyline(p, {{-8, 8}, {-18, 24}}, ink, 5);
    polyline(p, {{22, 5}, {34, 16}, {44, 26}}, ink, 5);
    polyline(p, {{18, 8}, {26, 26}}, ink, 5);
    polyline(p, {{30, -6}, {36, -10}}, ink, 4);
}

void locomotive(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, roundedRect(QRectF(-38, -10, 54, 22), 4), ink);
    fillPath(p, rectPath(QRectF(14, -28, 26, 40)), ink);
    fillPath(p, roundedRect(QRectF(20, -22, 13, 11), 1.5), ground);
    fillPath(p, polygon({{-31, -10}, {-29, -24}, {-35, -30}, {-17, -30}, {-23, -24}, {-21, -10}}), ink);
    QPainterPath dome;
    dome.addEllipse(QPointF(-4, -10), 6, 6);
    fillPath(p, dome, ink);
    fillPath(p, polygon({{-38, 10}, {-48, 22}, {-38, 22}}), ink);
    fillPath(p, roundedRect(QRectF(-40, 10, 82, 6), 1), ink);
    for (qreal x : {-24.0, -6.0, 12.0, 30.0})
        wheel(p, {x, 20}, 7.5, ink, ground);
}

void telephone(QPainter &p, const QColor &ink)
{
    // Desk telephone: the handset rests on the cradle above the dial.
    fillPath(p, polygon({{-32, 30}, {32, 30}, {24, 0}, {-24, 0}}), ink);
    QPainterPath handle;
    handle.moveTo(-26, -16);
    handle.cubicTo(QPointF(-14, -32), QPointF(14, -32), QPointF(26, -16));
    strokePath(p, handle, ink, 9, Qt::FlatCap);
    fillPath(p, roundedRect(QRectF(-42, -22, 20, 14), 5), ink);
    fillPath(p, roundedRect(QRectF(22, -22, 20, 14), 5), ink);
    polyline(p, {{-12, -4}, {-12, 0}}, ink, 6);
    polyline(p, {{12, -4}, {12, 0}}, ink, 6);
}

void fuelPump(QPainter &p, const QColor &ink, const QColor &ground)
{
    fillPath(p, roundedRect(QRectF(-26, -34, 34, 64), 4), ink);
    fillPath(p, roundedRect(QRectF(-20, -27, 22, 16), 2), ground);
    fillPath(p, roundedRect(QRectF(-31, 27, 44, 8), 2), ink);
    QPainterPath hose;
    hose.moveTo(8, -4);
    hose.lineTo(18, -4);
    hose.lineTo(18, 16);
    hose.cubicTo(QPointF(18, 24), QPointF(28, 24), QPointF(28, 16));
    hose.lineTo(28, -18);
    strokePath(p, hose, ink, 4.5, Qt::FlatCap, Qt::RoundJoin);
    fillPath(p, polygon({{22, -18}, {34, -18}, {30, -30}, {24, -30}}), ink);
}

void knifeAndFork(QPainter &p, const QColor &ink)
{
    polyline(p, {{-14, -14}, {-14, 34}}, ink, 7);
    for (qreal x : {-22.0, -14.0, -6.0})
        polyline(p, {{x, -34}, {x, -16}}, ink, 4);
    QPainterPath neck;
    neck.moveTo(-22, -18);
    neck.cubicTo(QPointF(-22, -8), QPointF(-6, -8), QPointF(-6, -18));
    strokePath(p, neck, ink, 4, Qt::RoundCap);
    QPainterPath blade;
    blade.moveTo(12, -34);
    blade.cubicTo(QPointF(24, -26), QPointF(26, -10), QPointF(20, -2));
    blade.lineTo(11, -2);
    blade.closeSubpath();
    fillPath(p, blade, ink);
    polyline(p, {{15, -4}, {15, 34}}, ink, 7);
}

} // namespace pictogram

} // namespace artgen
