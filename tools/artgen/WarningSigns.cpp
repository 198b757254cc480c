// Warning signs (yellow triangle, black border and symbol) and the blue indication and
// information signs.

#include "SignKit.h"

#include <QtMath>

namespace artgen {

namespace {

QImage warningSign(const std::function<void(QPainter &, QPointF)> &symbol)
{
    return warningSignPicture(symbol);
}

void bar(QPainter &p, QRectF r)
{
    fillPath(p, roundedRect(r, 0.5), sign::black);
}

QImage sharpCurve(bool left)
{
    return warningSign([left](QPainter &p, QPointF c) {
        inSymbolBox(p, c + QPointF(0, 2), 0.56, [&] { drawTurnArrow(p, left, sign::black, 2.4); });
    });
}

QImage crossroads()
{
    return warningSign([](QPainter &p, QPointF c) {
        bar(p, QRectF(c.x() - 5.5, c.y() - 26, 11, 54));
        bar(p, QRectF(c.x() - 25, c.y() - 3.5, 50, 11));
    });
}

QImage tJunction()
{
    return warningSign([](QPainter &p, QPointF c) {
        bar(p, QRectF(c.x() - 25, c.y() - 18, 50, 11));
        bar(p, QRectF(c.x() - 5.5, c.y() - 18, 11, 46));
    });
}

QImage steepDown()
{
    return warningSign([](QPainter &p, QPointF c) {
        QPainterPath slope;
        slope.moveTo(c + QPointF(-30, 2));
        slope.lineTo(c + QPointF(30, 26));
        slope.lineTo(c + QPointF(-30, 26));
        slope.closeSubpath();
        fillPath(p, slope, sign::black);
        drawCentredText(p, c + QPointF(6, -8), QStringLiteral("10%"), latinFont(15, true),
                        sign::black);
    });
}

void trafficLightHousing(QPainter &p, QPointF c, qreal scale)
{
    fillPath(p, roundedRect(QRectF(c.x() - 9 * scale, c.y() - 26 * scale, 18 * scale, 52 * scale),
                            4 * scale), sign::black);
    const QColor lamps[] = {QColor(0xe5, 0x22, 0x2a), QColor(0xf7, 0xb5, 0x00),
                            QColor(0x12, 0xa8, 0x50)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(c + QPointF(0, (i - 1) * 16 * scale), 6 * scale, 6 * scale);
    }
}

QImage trafficLightsAhead()
{
    return warningSign([](QPainter &p, QPointF c) { trafficLightHousing(p, c + QPointF(0, 1), 1.0); });
}

QImage danger()
{
    return warningSign([](QPainter &p, QPointF c) {
        QPainterPath stroke;
        stroke.moveTo(c + QPointF(-5.5, -27));
        stroke.lineTo(c + QPointF(5.5, -27));
        stroke.lineTo(c + QPointF(3, 10));
        stroke.lineTo(c + QPointF(-3, 10));
        stroke.closeSubpath();
        fillPath(p, stroke, sign::black);
        p.setPen(Qt::NoPen);
        p.setBrush(sign::black);
        p.drawEllipse(c + QPointF(0, 21), 5.5, 5.5);
    });
}

QImage twoWay()
{
    return warningSign([](QPainter &p, QPointF c) {
        // Right-hand traffic: our lane on the right goes away, the oncoming one comes down.
        QPainterPath down;
        down.moveTo(c + QPointF(-10, -26));
        down.lineTo(c + QPointF(-10, 12));
        drawArrow(p, down, c + QPointF(-10, 28), 90, 6, 16, 16, sign::black);
        QPainterPath up;
        up.moveTo(c + QPointF(10, 28));
        up.lineTo(c + QPointF(10, -10));
        drawArrow(p, up, c + QPointF(10, -26), -90, 6, 16, 16, sign::black);
    });
}

QImage narrowLeft()
{
    return warningSign([](QPainter &p, QPointF c) {
        QPainterPath right;
        right.moveTo(c + QPointF(14, 28));
        right.lineTo(c + QPointF(14, -18));
        QPainterPath left;
        left.moveTo(c + QPointF(-20, 28));
        left.lineTo(c + QPointF(-20, 8));
        left.lineTo(c + QPointF(-4, -6));
        left.lineTo(c + QPointF(-4, -18));
        strokePath(p, right, sign::black, 7, Qt::FlatCap, Qt::MiterJoin);
        strokePath(p, left, sign::black, 7, Qt::FlatCap, Qt::MiterJoin);
    });
}

QImage indicationSign(const std::function<void(QPainter &, QPointF)> &symbol)
{
    return signPicture([&](QPainter &p, QPointF c) {
        paintIndicationDisc(p, c);
        symbol(p, c);
    });
}

QImage roundabout()
{
    return indicationSign([](QPainter &p, QPointF c) {
        const qreal r = 27;
        const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
        for (int i = 0; i < 3; ++i) {
            // Qt arc angles run anticlockwise on screen, the way traffic turns round the island.
            const qreal start = 90 + i * 120 + 12;
            const qreal end = start + 62;
            QPainterPath arc;
            arc.arcMoveTo(ring, start);
            arc.arcTo(ring, start, end - start);
            // The head spans the chord from the arc's end to a point further round the ring.
            const auto onRing = [&](qreal degrees) {
                const qreal a = qDegreesToRadians(degrees);
                return QPointF(c.x() + r * qCos(a), c.y() - r * qSin(a));
            };
            const QPointF base = onRing(end);
            const QPointF tip = onRing(end + 36);
            const QPointF chord = tip - base;
            const qreal heading = qRadiansToDegrees(qAtan2(chord.y(), chord.x()));
            const qreal length = qSqrt(QPointF::dotProduct(chord, chord));
            strokePath(p, arc, sign::white, 8);
            fillPath(p, arrowHead(tip, heading, length + 1, 22), sign::white);
        }
    });
}

QImage parkingInfo()
{
    return signPicture([](QPainter &p, QPointF c) {
        const QRectF plate(c.x() - 54, c.y() - 54, 108, 108);
        p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.0));
        p.setBrush(sign::blue);
        p.drawPath(roundedRect(plate, 7));
        p.setPen(QPen(sign::white, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedRect(plate.adjusted(4, 4, -4, -4), 5));
        drawCentredText(p, c, QStringLiteral("P"), latinFont(72, true), sign::white);
    });
}

} // namespace

void addWarningAndIndicationSigns(std::vector<Artwork> &out)
{
    addPicture(out, "warn_sharp_left", [] { return sharpCurve(true); });
    addPicture(out, "warn_sharp_right", [] { return sharpCurve(false); });
    addPicture(out, "warn_crossroads", crossroads);
    addPicture(out, "warn_t_junction", tJunction);
    addPicture(out, "warn_steep_down", steepDown);
    addPicture(out, "warn_traffic_lights", trafficLightsAhead);
    addPicture(out, "warn_danger", danger);
    addPicture(out, "warn_two_way", twoWay);
    addPicture(out, "warn_narrow_left", narrowLeft);

    addPicture(out, "ind_straight", [] {
        return indicationSign([](QPainter &p, QPointF c) {
            inSymbolBox(p, c, 0.7, [&] { drawStraightArrow(p, sign::white); });
        });
    });
    addPicture(out, "ind_left", [] {
        return indicationSign([](QPainter &p, QPointF c) {
            inSymbolBox(p, c, 0.7, [&] { drawTurnArrow(p, true, sign::white); });
        });
    });
    addPicture(out, "ind_right", [] {
        return indicationSign([](QPainter &p, QPointF c) {
            inSymbolBox(p, c, 0.7, [&] { drawTurnArrow(p, false, sign::white); });
        });
    });
    addPicture(out, "ind_keep_right", [] {
        return indicationSign([](QPainter &p, QPointF c) {
            inSymbolBox(p, c, 0.7, [&] {
                p.rotate(135);
                drawStraightArrow(p, sign::white);
            });
        });
    });
    addPicture(out, "ind_roundabout", roundabout);
    addPicture(out, "ind_min_speed_60", [] {
        return indicationSign([](QPainter &p, QPointF c) {
            drawCentredText(p, c, QStringLiteral("60"), latinFont(50, true), sign::white);
        });
    });
    addPicture(out, "info_parking", parkingInfo);
}

} // namespace artgen
