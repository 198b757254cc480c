// Road markings in narrow pictures: the road runs up the picture, seen from above, and the
// vehicles of interest drive up it on the right. Widths and dash patterns follow the national
// marking standard in proportion (lane lines 15 cm, stop lines about twice as wide, city lane
// dashes 2 m with 4 m gaps, centre dashes 4 m with 6 m gaps), widened where a 3-pixel line
// would otherwise vanish.

#include "RoadKit.h"

#include <QtMath>

namespace artgen {

namespace {

using namespace road;

QImage narrowRoad(const std::function<void(QPainter &)> &paint)
{
    return paintPicture(120, 120, asphalt, paint);
}

// One lane, zoomed, between two solid lane lines, with a painted arrow in it.
QImage arrowInLane(Arrow kind)
{
    return narrowRoad([kind](QPainter &p) {
        vSolid(p, 22, 0, 120, white);
        vSolid(p, 98, 0, 120, white);
        laneArrow(p, QPointF(60, 60), kind, 104);
    });
}

QImage guideLanes()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 120, 18), asphalt.darker(112));
        vSolid(p, 3, 18, 120, yellow);
        vSolid(p, 8, 18, 120, yellow);
        vSolid(p, 116, 18, 120, white);
        vSolid(p, 44, 22, 120, white);
        vSolid(p, 80, 22, 120, white);
        hSolid(p, 21, 10, 116, white, 5);
        laneArrow(p, QPointF(27, 72), Arrow::Left, 62);
        laneArrow(p, QPointF(62, 72), Arrow::Straight, 62);
        laneArrow(p, QPointF(97, 72), Arrow::Right, 62);
    });
}

QImage twoWay(const std::function<void(QPainter &)> &centre)
{
    return narrowRoad([centre](QPainter &p) {
        p.fillRect(QRectF(0, 0, 5, 120), verge);
        p.fillRect(QRectF(115, 0, 5, 120), verge);
        vSolid(p, 8, 0, 120, white);
        vSolid(p, 112, 0, 120, white);
        centre(p);
        car(p, QPointF(86, 84), -90, carBlue);
        car(p, QPointF(34, 30), 90, carRed);
    });
}

// Three lanes; the middle one reverses with the time of day or follows an overhead sign.
QImage threeLanes(const std::function<void(QPainter &)> &middleBounds)
{
    return narrowRoad([middleBounds](QPainter &p) {
        p.fillRect(QRectF(0, 0, 4, 120), verge);
        p.fillRect(QRectF(116, 0, 4, 120), verge);
        vSolid(p, 6, 0, 120, white);
        vSolid(p, 114, 0, 120, white);
        middleBounds(p);
    });
}

void doubleYellowDashed(QPainter &p, qreal x)
{
    vDashed(p, x - 2.5, 0, 120, yellow, 16, 24, 6, 2.5);
    vDashed(p, x + 2.5, 0, 120, yellow, 16, 24, 6, 2.5);
}

void zigzag(QPainter &p, qreal x, qreal y0, qreal y1)
{
    QPainterPath line;
    line.moveTo(x, y0);
    bool out = true;
    for (qreal y = y0 + 8; y <= y1; y += 8, out = !out)
        line.lineTo(x + (out ? 4 : -4), y);
    strokePath(p, line, white, 2.5, Qt::FlatCap, Qt::MiterJoin);
}

QImage lateralDeceleration()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 6, 120), verge);
        p.fillRect(QRectF(114, 0, 6, 120), verge);
        vSolid(p, 9, 0, 120, white);
        vSolid(p, 111, 0, 120, white);
        vDashed(p, 60, 0, 120, white, 16, 32, 2);
        // Groups of transverse dashed bars, closer together the nearer the hazard ahead.
        for (qreal y : {112.0, 80.0, 54.0, 34.0, 20.0, 10.0}) {
            hDashed(p, y, 14, 57, white, 9, 4, 0, 4.5);
            hDashed(p, y, 64, 107, white, 9, 4, 0, 4.5);
        }
    });
}

void diamondBlock(QPainter &p, QPointF c)
{
    QPainterPath d;
    d.moveTo(c + QPointF(0, -7));
    d.lineTo(c + QPointF(3, 0));
    d.lineTo(c + QPointF(0, 7));
    d.lineTo(c + QPointF(-3, 0));
    d.closeSubpath();
    fillPath(p, d, white);
}

QImage longitudinalDeceleration()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 6, 120), verge);
        p.fillRect(QRectF(114, 0, 6, 120), verge);
        vSolid(p, 9, 0, 120, white);
        vSolid(p, 111, 0, 120, white);
        vDashed(p, 60, 0, 120, white, 16, 32, 2);
        // Rows of diamond blocks inside each lane line make the lane look narrower.
        for (qreal y = 8; y < 120; y += 20)
            for (qreal x : {17.0, 52.0, 68.0, 103.0})
                diamondBlock(p, QPointF(x, y));
        car(p, QPointF(85, 88), -90, carBlue, 34);
    });
}

QImage kerbside(bool solid)
{
    return narrowRoad([solid](QPainter &p) {
        p.fillRect(QRectF(92, 0, 28, 120), road::pavement);
        p.fillRect(QRectF(92, 0, 3, 120), QColor(0xa8, 0xa5, 0x9c));
        for (qreal y = 10; y < 120; y += 24)
            p.fillRect(QRectF(95, y, 25, 1.5), QColor(0xb3, 0xb0, 0xa7));
        // A one-way street, so the only yellow line is the one along the kerb.
        vDashed(p, 30, 0, 120, white, 16, 32, 0);
        vDashed(p, 60, 0, 120, white, 16, 32, 10);
        if (solid)
            vSolid(p, 88, 0, 120, yellow, 4);
        else
            vDashed(p, 88, 0, 120, yellow, 10, 10, 0, 4);
        car(p, QPointF(45, 70), -90, carBlue, 34);
    });
}

QImage busLane()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(114, 0, 6, 120), road::pavement);
        vSolid(p, 4, 0, 120, yellow);
        vDashed(p, 40, 0, 120, white, 16, 32, 4);
        vDashed(p, 76, 0, 120, yellow, 16, 16, 0, 4);
        vSolid(p, 111, 0, 120, white);
        bus(p, QPointF(94, 66), -90, QColor(0x2e, 0x9e, 0x5b), 68);
        car(p, QPointF(58, 92), -90, carWhite, 34);
        car(p, QPointF(22, 40), -90, carRed, 34);
    });
}

QImage channelisation()
{
    return narrowRoad([](QPainter &p) {
        // A right-turn lane parts from the through lanes; the painted island between them
        // is the channelising marking.
        p.fillRect(QRectF(0, 0, 4, 120), verge);
        vSolid(p, 6, 0, 120, white);
        vDashed(p, 38, 0, 120, white, 16, 32, 4);
        QPainterPath island;
        island.moveTo(70, 120);
        island.lineTo(70, 6);
        island.lineTo(92, 6);
        island.closeSubpath();
        p.save();
        p.setClipPath(island);
        p.setPen(QPen(white, 3));
        for (qreal y = -30; y < 140; y += 12)
            p.drawLine(QPointF(60, y + 20), QPointF(100, y));
        p.restore();
        strokePath(p, island, white, 3, Qt::FlatCap, Qt::MiterJoin);
        QPainterPath outer;
        outer.moveTo(112, 120);
        outer.lineTo(112, 0);
        strokePath(p, outer, white, 3);
        laneArrow(p, QPointF(54, 70), Arrow::Straight, 50);
        laneArrow(p, QPointF(100, 40), Arrow::Right, 44);
        car(p, QPointF(22, 86), -90, carBlue, 32);
    });
}

QImage majorRoadAhead(const std::function<void(QPainter &)> &line)
{
    return narrowRoad([line](QPainter &p) {
        p.fillRect(QRectF(0, 0, 120, 28), asphalt.darker(112));
        hDashed(p, 14, 0, 120, yellow, 16, 24, 2);
        p.fillRect(QRectF(0, 28, 10, 92), verge);
        p.fillRect(QRectF(110, 28, 10, 92), verge);
        vSolid(p, 13, 28, 120, white);
        vSolid(p, 107, 28, 120, white);
        vDashed(p, 60, 44, 120, yellow, 16, 24, 6);
        line(p);
    });
}

void giveWayTriangle(QPainter &p, QPointF c)
{
    QPainterPath outer;
    outer.moveTo(c + QPointF(-13, -22));
    outer.lineTo(c + QPointF(13, -22));
    outer.lineTo(c + QPointF(0, 22));
    outer.closeSubpath();
    strokePath(p, outer, white, 3.5, Qt::FlatCap, Qt::MiterJoin);
}

QImage leftTurnWaiting()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 120, 78), asphalt.darker(112));
        vSolid(p, 4, 80, 120, yellow);
        vSolid(p, 9, 80, 120, yellow);
        vSolid(p, 44, 80, 120, white);
        vSolid(p, 80, 80, 120, white);
        vSolid(p, 116, 80, 120, white);
        hSolid(p, 80, 11, 116, white, 5);
        // The waiting area runs on from the left-turn lane into the junction, its far end a
        // dashed line, its sides dashed and bending left.
        QPainterPath leftSide;
        leftSide.moveTo(11, 78);
        leftSide.lineTo(11, 52);
        leftSide.quadTo(11, 34, 2, 24);
        QPainterPath rightSide;
        rightSide.moveTo(44, 78);
        rightSide.lineTo(44, 48);
        rightSide.quadTo(44, 26, 32, 12);
        QPen dash(white, 3, Qt::CustomDashLine, Qt::FlatCap);
        dash.setDashPattern({3.0, 2.0});
        p.save();
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawPath(leftSide);
        p.drawPath(rightSide);
        p.drawLine(QPointF(3, 24), QPointF(31, 12));
        p.restore();
        laneArrow(p, QPointF(28, 101), Arrow::Left, 36);
        laneArrow(p, QPointF(62, 101), Arrow::Straight, 36);
        laneArrow(p, QPointF(98, 101), Arrow::Straight, 36);
    });
}

QImage crosswalkAhead()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 6, 120), verge);
        p.fillRect(QRectF(114, 0, 6, 120), verge);
        vSolid(p, 9, 0, 120, white);
        vSolid(p, 111, 0, 120, white);
        vDashed(p, 60, 30, 120, yellow, 16, 24, 4);
        for (qreal x = 12; x + 6 <= 110; x += 12)
            p.fillRect(QRectF(x, 4, 6, 20), white);
        QPainterPath d;
        d.moveTo(85, 44);
        d.lineTo(95, 74);
        d.lineTo(85, 104);
        d.lineTo(75, 74);
        d.closeSubpath();
        strokePath(p, d, white, 3, Qt::FlatCap, Qt::MiterJoin);
    });
}

QImage speedHump()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 6, 120), verge);
        p.fillRect(QRectF(114, 0, 6, 120), verge);
        vSolid(p, 9, 0, 120, white);
        vSolid(p, 111, 0, 120, white);
        vDashed(p, 60, 0, 120, yellow, 16, 24, 4);
        // A raised strip of alternating yellow and black blocks across the road.
        const QRectF strip(9, 52, 102, 14);
        p.fillRect(strip.translated(0, 2), QColor(0, 0, 0, 70));
        for (int i = 0; i * 12.75 < strip.width(); ++i)
            p.fillRect(QRectF(strip.left() + i * 12.75, strip.top(), 12.75, strip.height()),
                       i % 2 ? sign::black : sign::yellow);
        car(p, QPointF(86, 96), -90, carBlue, 32);
    });
}

QImage nonMotorLane()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(112, 0, 8, 120), road::pavement);
        vDashed(p, 8, 0, 120, white, 16, 32, 4);
        vSolid(p, 78, 0, 120, white);
        vSolid(p, 110, 0, 120, white);
        car(p, QPointF(42, 40), -90, carBlue, 34);
        // A bicycle symbol, painted in the lane.
        p.save();
        p.setPen(QPen(white, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(94, 64), 8, 8);
        p.drawEllipse(QPointF(94, 96), 8, 8);
        QPainterPath frame;
        frame.moveTo(94, 64);
        frame.lineTo(94, 80);
        frame.lineTo(94, 96);
        frame.moveTo(94, 70);
        frame.lineTo(101, 84);
        frame.lineTo(94, 90);
        frame.moveTo(88, 66);
        frame.lineTo(100, 66);
        p.drawPath(frame);
        p.restore();
    });
}

QImage parkingBays()
{
    return narrowRoad([](QPainter &p) {
        p.fillRect(QRectF(100, 0, 20, 120), road::pavement);
        vDashed(p, 32, 0, 120, white, 16, 32, 4);
        vSolid(p, 68, 0, 120, white);
        for (qreal y = 6; y < 120; y += 48)
            hSolid(p, y, 68, 98, white);
        vSolid(p, 98, 0, 120, white);
        car(p, QPointF(83, 54), -90, carRed, 36);
        car(p, QPointF(50, 90), -90, carBlue, 32);
    });
}

} // namespace

void addMoreRoadMarkings(std::vector<Artwork> &out)
{
    addPicture(out, "mark_arrow_straight", [] { return arrowInLane(Arrow::Straight); });
    addPicture(out, "mark_arrow_left", [] { return arrowInLane(Arrow::Left); });
    addPicture(out, "mark_arrow_right", [] { return arrowInLane(Arrow::Right); });
    addPicture(out, "mark_arrow_straight_left", [] { return arrowInLane(Arrow::StraightLeft); });
    addPicture(out, "mark_arrow_straight_right", [] { return arrowInLane(Arrow::StraightRight); });
    addPicture(out, "mark_arrow_uturn", [] { return arrowInLane(Arrow::UTurn); });
    addPicture(out, "mark_arrow_merge_left", [] { return arrowInLane(Arrow::MergeLeft); });
    addPicture(out, "mark_guide_lanes", guideLanes);
    addPicture(out, "mark_yellow_single_solid", [] {
        return twoWay([](QPainter &p) { vSolid(p, 60, 0, 120, yellow); });
    });
    addPicture(out, "mark_tidal_lane", [] {
        return threeLanes([](QPainter &p) {
            doubleYellowDashed(p, 42);
            doubleYellowDashed(p, 78);
            car(p, QPointF(24, 40), 90, carRed, 32);
            car(p, QPointF(96, 84), -90, carBlue, 32);
        });
    });
    addPicture(out, "mark_variable_lane", [] {
        return threeLanes([](QPainter &p) {
            zigzag(p, 42, 0, 120);
            zigzag(p, 78, 0, 120);
            laneArrow(p, QPointF(24, 64), Arrow::Left, 60);
            laneArrow(p, QPointF(96, 64), Arrow::Straight, 60);
        });
    });
    addPicture(out, "mark_decel_lateral", lateralDeceleration);
    addPicture(out, "mark_decel_longitudinal", longitudinalDeceleration);
    addPicture(out, "mark_kerb_yellow_solid", [] { return kerbside(true); });
    addPicture(out, "mark_kerb_yellow_dashed", [] { return kerbside(false); });
    addPicture(out, "mark_bus_lane", busLane);
    addPicture(out, "mark_channelisation", channelisation);
    addPicture(out, "mark_give_way_line", [] {
        return majorRoadAhead([](QPainter &p) {
            hDashed(p, 33, 62, 107, white, 8, 5, 0, 3);
            hDashed(p, 39, 62, 107, white, 8, 5, 0, 3);
            giveWayTriangle(p, QPointF(84, 80));
        });
    });
    addPicture(out, "mark_stop_give_way_line", [] {
        return majorRoadAhead([](QPainter &p) {
            hSolid(p, 33, 62, 107, white, 3.5);
            hSolid(p, 40, 62, 107, white, 3.5);
            car(p, QPointF(84, 84), -90, carBlue, 36);
        });
    });
    addPicture(out, "mark_left_turn_waiting", leftTurnWaiting);
    addPicture(out, "mark_crosswalk_ahead", crosswalkAhead);
    addPicture(out, "mark_speed_hump", speedHump);
    addPicture(out, "mark_non_motor_lane", nonMotorLane);
    addPicture(out, "mark_parking_bays", parkingBays);
}


} // namespace artgen
