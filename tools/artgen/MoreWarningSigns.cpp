// More warning signs: road shape, slopes, surfaces, people and animals, railway crossings and
// other hazards. Symbols are placed in sign pixels around the triangle's symbol centre.

#include "SignKit.h"

#include <QtMath>

namespace artgen {

namespace {

const QColor &ink = sign::black;

QPointF at(QPointF c, qreal x, qreal y)
{
    return c + QPointF(x, y);
}

void bar(QPainter &p, QPointF c, const QRectF &r)
{
    fillPath(p, roundedRect(r.translated(c), 0.5), ink);
}

QPainterPath closedPath(QPointF c, std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first)
            path.moveTo(c + point);
        else
            path.lineTo(c + point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

// A winding arrow up the sign: x follows `offset(t)` for t from 0 (bottom) to 1, ending straight.
QImage windingArrow(const std::function<qreal(qreal)> &offset)
{
    return warningSignPicture([&](QPainter &p, QPointF c) {
        QPainterPath shaft;
        const int steps = 48;
        for (int i = 0; i <= steps; ++i) {
            const qreal t = qreal(i) / steps;
            const QPointF point = at(c, offset(t), 27 - 38 * t);
            if (i == 0)
                shaft.moveTo(point);
            else
                shaft.lineTo(point);
        }
        const QPointF end = at(c, offset(1), -11);
        shaft.lineTo(end + QPointF(0, -2));
        drawArrow(p, shaft, end + QPointF(0, -17), -90, 7, 15, 19, ink);
    });
}

QImage slope(bool up)
{
    return warningSignPicture([up](QPainter &p, QPointF c) {
        const qreal s = up ? -1 : 1;
        fillPath(p, closedPath(c, {{s * -30, 2}, {s * 30, 26}, {s * -30, 26}}), ink);
        drawCentredText(p, at(c, s * 6, -8), QStringLiteral("10%"), latinFont(15, true), ink);
    });
}

QImage fallingRocks()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        fillPath(p, closedPath(c, {{6, -24}, {14, -26}, {18, -8}, {24, 6}, {32, 27}, {4, 27},
                                   {10, 8}, {4, -8}}), ink);
        fillPath(p, closedPath(c, {{-6, -16}, {0, -19}, {3, -12}, {-3, -8}, {-8, -11}}), ink);
        fillPath(p, closedPath(c, {{-16, -2}, {-8, -4}, {-6, 4}, {-13, 7}, {-18, 3}}), ink);
        fillPath(p, closedPath(c, {{-26, 16}, {-16, 13}, {-12, 22}, {-20, 27}, {-29, 23}}), ink);
    });
}

QImage slippery()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        inSymbolBox(p, at(c, 0, -11), 0.44, [&] { pictogram::carRear(p, ink, sign::yellow); });
        for (qreal x : {-7.0, 7.0}) {
            QPainterPath track;
            track.moveTo(at(c, x, 3));
            track.cubicTo(at(c, x - 14, 10), at(c, x + 14, 16), at(c, x, 26));
            strokePath(p, track, ink, 3.5, Qt::RoundCap);
        }
    });
}

void house(QPainter &p, QPointF c, QRectF body, qreal roofRise)
{
    fillPath(p, closedPath(c, {{body.left() - 4, body.top() + 2},
                               {body.center().x(), body.top() - roofRise},
                               {body.right() + 4, body.top() + 2}}), ink);
    QPainterPath walls;
    walls.addRect(body.translated(c));
    fillPath(p, walls, ink);
    QPainterPath door;
    door.addRect(QRectF(body.center().x() - 3, body.bottom() - 9, 6, 9).translated(c));
    fillPath(p, door, sign::yellow);
}

QImage village()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        house(p, c, QRectF(-26, 2, 24, 24), 16);
        house(p, c, QRectF(6, 9, 20, 17), 12);
    });
}

QImage pictured(const std::function<void(QPainter &)> &symbol, qreal scale, QPointF shift = {0, 4})
{
    return warningSignPicture([&](QPainter &p, QPointF c) {
        inSymbolBox(p, c + shift, scale, [&] { symbol(p); });
    });
}

QImage children()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        inSymbolBox(p, at(c, -10, 1), 0.52, [&] { pictogram::walker(p, ink); });
        inSymbolBox(p, at(c, 14, 8), 0.38, [&] { pictogram::walker(p, ink); });
    });
}

QImage tunnel()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        QPainterPath portal;
        portal.moveTo(at(c, -30, 26));
        portal.lineTo(at(c, -30, 2));
        portal.arcTo(QRectF(at(c, -30, -26), QSizeF(60, 56)), 180, -180);
        portal.lineTo(at(c, 30, 26));
        portal.closeSubpath();
        fillPath(p, portal, ink);
        QPainterPath opening;
        opening.moveTo(at(c, -17, 26));
        opening.lineTo(at(c, -17, 8));
        opening.arcTo(QRectF(at(c, -17, -9), QSizeF(34, 34)), 180, -180);
        opening.lineTo(at(c, 17, 26));
        opening.closeSubpath();
        fillPath(p, opening, sign::yellow);
    });
}

QImage guardedRailway()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        for (int i = -2; i <= 2; ++i) {
            const qreal x = i * 12;
            fillPath(p, closedPath(c, {{x - 3, 26}, {x - 3, -12}, {x, -17}, {x + 3, -12}, {x + 3, 26}}),
                     ink);
        }
        polyline(p, {at(c, -31, -4), at(c, 31, -4)}, ink, 5);
        polyline(p, {at(c, -31, 14), at(c, 31, 14)}, ink, 5);
    });
}

QImage merge(bool fromRight)
{
    return warningSignPicture([fromRight](QPainter &p, QPointF c) {
        const qreal s = fromRight ? 1 : -1;
        polyline(p, {at(c, s * -7, 27), at(c, s * -7, -26)}, ink, 9);
        QPainterPath branch;
        branch.moveTo(at(c, s * 24, 27));
        branch.cubicTo(at(c, s * 24, 12), at(c, s * -4, 6), at(c, s * -6, -8));
        strokePath(p, branch, ink, 7);
    });
}

QImage narrowing(bool left, bool right)
{
    return warningSignPicture([left, right](QPainter &p, QPointF c) {
        const auto side = [&](qreal s, bool narrows) {
            QPainterPath edge;
            edge.moveTo(at(c, s * 20, 28));
            if (narrows) {
                edge.lineTo(at(c, s * 20, 8));
                edge.lineTo(at(c, s * 6, -6));
                edge.lineTo(at(c, s * 6, -18));
            } else {
                edge.lineTo(at(c, s * 20, -18));
            }
            strokePath(p, edge, ink, 7, Qt::FlatCap, Qt::MiterJoin);
        };
        side(-1, left);
        side(1, right);
    });
}

QImage roadWorks()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        fillPath(p, closedPath(c, {{-31, 26}, {-19, 12}, {-12, 14}, {-4, 26}}), ink);
        QPainterPath head;
        head.addEllipse(at(c, 13, -20), 5, 5);
        fillPath(p, head, ink);
        polyline(p, {at(c, 11, -12), at(c, 17, 6)}, ink, 8);
        polyline(p, {at(c, 17, 6), at(c, 10, 16), at(c, 12, 26)}, ink, 5.5);
        polyline(p, {at(c, 17, 6), at(c, 25, 15), at(c, 27, 26)}, ink, 5.5);
        polyline(p, {at(c, 11, -10), at(c, 2, -2), at(c, -4, 4)}, ink, 4.5);
        polyline(p, {at(c, 6, -14), at(c, -10, 14)}, ink, 3);
        fillPath(p, closedPath(c, {{-9, 11}, {-4, 15}, {-11, 22}, {-16, 17}}), ink);
    });
}

QImage accidentProne()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        p.save();
        p.translate(at(c, -15, 14));
        p.rotate(14);
        p.scale(0.36, 0.36);
        pictogram::carSide(p, ink, sign::yellow);
        p.restore();
        p.save();
        p.translate(at(c, 15, 14));
        p.rotate(-14);
        p.scale(-0.36, 0.36);
        pictogram::carSide(p, ink, sign::yellow);
        p.restore();
        // A burst where the two fronts meet.
        QPainterPath burst;
        for (int i = 0; i < 16; ++i) {
            const qreal a = qDegreesToRadians(i * 22.5);
            const qreal r = (i % 2) ? 5 : 11;
            const QPointF point = at(c, r * qCos(a), -4 + r * qSin(a));
            if (i == 0)
                burst.moveTo(point);
            else
                burst.lineTo(point);
        }
        burst.closeSubpath();
        fillPath(p, burst, ink);
    });
}

QImage sideWind()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        polyline(p, {at(c, -24, 27), at(c, -24, -24)}, ink, 4);
        // The sock tapers from the pole and is striped across.
        const qreal x0 = -22, x1 = 26, top0 = -24, bottom0 = -8, top1 = -18, bottom1 = -12;
        for (int i = 0; i < 4; ++i) {
            const qreal a = qreal(i) / 4, b = qreal(i + 1) / 4;
            const auto lerp = [](qreal u, qreal v, qreal t) { return u + (v - u) * t; };
            const QPainterPath band = closedPath(c, {{lerp(x0, x1, a), lerp(top0, top1, a)},
                                                     {lerp(x0, x1, b), lerp(top0, top1, b)},
                                                     {lerp(x0, x1, b), lerp(bottom0, bottom1, b)},
                                                     {lerp(x0, x1, a), lerp(bottom0, bottom1, a)}});
            fillPath(p, band, i % 2 ? sign::yellow : ink);
            strokePath(p, band, ink, 1.5);
        }
        for (qreal y : {4.0, 12.0, 20.0})
            polyline(p, {at(c, -14, y), at(c, 10 + y / 2, y)}, ink, 2.5);
    });
}

QImage unevenRoad()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        QPainterPath ground;
        ground.moveTo(at(c, -31, 26));
        ground.lineTo(at(c, -21, 26));
        ground.cubicTo(at(c, -19, 2), at(c, -3, 2), at(c, -1, 26));
        ground.cubicTo(at(c, 1, 2), at(c, 17, 2), at(c, 19, 26));
        ground.lineTo(at(c, 31, 26));
        ground.lineTo(at(c, 31, 28));
        ground.lineTo(at(c, -31, 28));
        ground.closeSubpath();
        fillPath(p, ground, ink);
    });
}

QImage narrowBridge()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        for (qreal s : {-1.0, 1.0})
            polyline(p, {at(c, s * 22, 27), at(c, s * 10, 15), at(c, s * 10, -11), at(c, s * 20, -22)},
                     ink, 6);
    });
}

QImage yJunction()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        polyline(p, {at(c, -4, 28), at(c, -4, -24)}, ink, 10);
        polyline(p, {at(c, -4, 8), at(c, 18, -10)}, ink, 10);
    });
}

QImage humpBridge()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        QPainterPath arch;
        arch.moveTo(at(c, -31, 26));
        arch.quadTo(at(c, 0, -30), at(c, 31, 26));
        arch.lineTo(at(c, 17, 26));
        arch.quadTo(at(c, 0, -4), at(c, -17, 26));
        arch.closeSubpath();
        fillPath(p, arch, ink);
    });
}

QImage ford()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        inSymbolBox(p, at(c, 0, -6), 0.44, [&] { pictogram::carSide(p, ink, sign::yellow); });
        for (qreal y : {12.0, 21.0}) {
            QPainterPath wave;
            wave.moveTo(at(c, -28, y));
            for (int i = 0; i < 4; ++i)
                wave.quadTo(at(c, -21 + i * 14, y - 5), at(c, -14 + i * 14, y));
            strokePath(p, wave, ink, 3.5, Qt::RoundCap);
        }
    });
}

QImage lowLying()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        QPainterPath ground;
        ground.moveTo(at(c, -31, 27));
        ground.lineTo(at(c, -31, 6));
        ground.lineTo(at(c, -14, 6));
        ground.cubicTo(at(c, -8, 6), at(c, -8, 20), at(c, 0, 20));
        ground.cubicTo(at(c, 8, 20), at(c, 8, 6), at(c, 14, 6));
        ground.lineTo(at(c, 31, 6));
        ground.lineTo(at(c, 31, 27));
        ground.closeSubpath();
        fillPath(p, ground, ink);
    });
}

QImage disabledPeople()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        p.save();
        p.setPen(QPen(ink, 4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at(c, -3, 14), 12, 12);
        p.restore();
        QPainterPath head;
        head.addEllipse(at(c, -7, -21), 5, 5);
        fillPath(p, head, ink);
        polyline(p, {at(c, -8, -12), at(c, -6, 4), at(c, 10, 4), at(c, 14, 20), at(c, 19, 20)}, ink, 5.5);
        polyline(p, {at(c, -7, -8), at(c, 6, -5)}, ink, 4);
    });
}

QImage sideJunction(bool right)
{
    return warningSignPicture([right](QPainter &p, QPointF c) {
        const qreal s = right ? 1 : -1;
        bar(p, c, QRectF(s * -5.5 - 5.5, -24, 11, 52));
        bar(p, c, right ? QRectF(-1, -2, 26, 11) : QRectF(-25, -2, 26, 11));
    });
}

QImage ferry()
{
    return warningSignPicture([](QPainter &p, QPointF c) {
        inSymbolBox(p, at(c, 0, -10), 0.4, [&] { pictogram::carSide(p, ink, sign::yellow); });
        fillPath(p, closedPath(c, {{-30, 1}, {30, 1}, {22, 14}, {-22, 14}}), ink);
        QPainterPath wave;
        wave.moveTo(at(c, -28, 22));
        for (int i = 0; i < 4; ++i)
            wave.quadTo(at(c, -21 + i * 14, 17), at(c, -14 + i * 14, 22));
        strokePath(p, wave, ink, 3.5, Qt::RoundCap);
    });
}

} // namespace

void addMoreWarningSigns(std::vector<Artwork> &out)
{
    const auto add = [&out](const char *name, std::function<QImage()> draw) {
        addPicture(out, name, std::move(draw));
    };
    add("warn_winding", [] {
        return windingArrow([](qreal t) { return 19 * qSin(3 * M_PI * t) * qSin(M_PI * t); });
    });
    add("warn_reverse_left", [] {
        return windingArrow([](qreal t) {
            const qreal s = t * t * (3 - 2 * t);
            return 12 - 24 * s;
        });
    });
    add("warn_steep_up", [] { return slope(true); });
    add("warn_falling_rocks", fallingRocks);
    add("warn_slippery", slippery);
    add("warn_village", village);
    add("warn_children", children);
    add("warn_pedestrians", [] {
        return pictured([](QPainter &p) { pictogram::walker(p, ink); }, 0.58, {0, 2});
    });
    add("warn_cattle", [] {
        return pictured([](QPainter &p) { pictogram::cow(p, ink); }, 0.66, {2, 3});
    });
    add("warn_wild_animals", [] {
        return pictured([](QPainter &p) { pictogram::deer(p, ink); }, 0.58, {0, 5});
    });
    add("warn_tunnel", tunnel);
    add("warn_railway_guarded", guardedRailway);
    add("warn_railway_unguarded", [] {
        return pictured([](QPainter &p) { pictogram::locomotive(p, ink, sign::yellow); }, 0.6, {0, 6});
    });
    add("warn_merge_right", [] { return merge(true); });
    add("warn_merge_left", [] { return merge(false); });
    add("warn_narrow_right", [] { return narrowing(false, true); });
    add("warn_narrow_both", [] { return narrowing(true, true); });
    add("warn_road_works", roadWorks);
    add("warn_accident", accidentProne);
    add("warn_side_wind", sideWind);
    add("warn_roundabout", [] {
        return warningSignPicture([](QPainter &p, QPointF c) {
            drawRingArrows(p, at(c, 0, 4), 17, 5.5, 15, ink);
        });
    });
    add("warn_non_motor", [] {
        return pictured([](QPainter &p) { pictogram::bicycle(p, ink); }, 0.56, {0, 6});
    });
    add("warn_uneven", unevenRoad);
    add("warn_narrow_bridge", narrowBridge);
    add("warn_y_junction", yJunction);
    add("warn_hump_bridge", humpBridge);
    add("warn_ford", ford);
    add("warn_low_lying", lowLying);
    add("warn_disabled", disabledPeople);
    add("warn_side_road_right", [] { return sideJunction(true); });
    add("warn_side_road_left", [] { return sideJunction(false); });
    add("warn_ferry", ferry);
}

} // namespace artgen
