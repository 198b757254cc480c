// The eight hand signals of the traffic police, seen by the driver facing the officer: the
// officer's left arm is on the picture's right. An arm reaching towards the driver is drawn
// short with a large palm in front of the body; a dashed arrow shows the swing that follows.

#include "IllustrationKit.h"

#include <QtMath>

namespace artgen {

namespace {

const QColor backdrop(0xe4, 0xec, 0xf1);
const QColor ground(0xbd, 0xc4, 0xc8);
const QColor uniform(0x24, 0x33, 0x4f);
const QColor sleeve(0x2c, 0x3d, 0x5c);
const QColor vest(0xc9, 0xe2, 0x3a);
const QColor reflector(0xdf, 0xe4, 0xe8);
const QColor skin(0xef, 0xc6, 0x9c);
const QColor glove(0xff, 0xff, 0xff);
const QColor swing(0xe0, 0x4a, 0x1a);

const QPointF rightShoulder(47, 40);
const QPointF leftShoulder(73, 40);

void body(QPainter &p)
{
    p.fillRect(QRectF(0, 104, 120, 16), ground);
    // Legs and shoes.
    p.setPen(Qt::NoPen);
    p.setBrush(uniform);
    p.drawPath(roundedRect(QRectF(48, 72, 11, 38), 3));
    p.drawPath(roundedRect(QRectF(61, 72, 11, 38), 3));
    p.setBrush(sign::black);
    p.drawPath(roundedRect(QRectF(46, 107, 14, 6), 2.5));
    p.drawPath(roundedRect(QRectF(60, 107, 14, 6), 2.5));
    // Torso in the reflective vest.
    p.setBrush(uniform);
    p.drawPath(roundedRect(QRectF(43, 35, 34, 42), 7));
    p.setBrush(vest);
    p.drawPath(roundedRect(QRectF(46, 38, 28, 37), 5));
    p.fillRect(QRectF(46, 56, 28, 4), reflector);
    p.fillRect(QRectF(46, 66, 28, 4), reflector);
    p.fillRect(QRectF(59, 38, 2, 37), uniform);
    // Head, cap with its white cover, peak and badge.
    p.setBrush(skin);
    p.drawRect(QRectF(56, 29, 8, 7));
    p.drawEllipse(QPointF(60, 22), 8, 9);
    p.setBrush(uniform);
    p.drawPath(roundedRect(QRectF(50, 12, 20, 6), 2));
    p.setBrush(glove);
    p.drawEllipse(QRectF(48, 5, 24, 10));
    p.setBrush(sign::black);
    p.drawEllipse(QRectF(51, 16, 18, 4));
    p.setBrush(sign::yellow);
    p.drawEllipse(QPointF(60, 13), 2.2, 2.2);
}

void limb(QPainter &p, QPointF from, QPointF to, qreal width, const QColor &color)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
}

// An arm from the shoulder through the elbow to a gloved hand.
void arm(QPainter &p, QPointF shoulder, QPointF elbow, QPointF hand, qreal handRadius = 4.5)
{
    limb(p, shoulder, elbow, 8, sleeve);
    limb(p, elbow, hand, 7, sleeve);
    p.setPen(Qt::NoPen);
    p.setBrush(glove);
    p.drawEllipse(hand, handRadius, handRadius);
}

// An arm reaching straight towards the driver: a short sleeve and an open palm facing out.
void armTowardsViewer(QPainter &p, QPointF shoulder, QPointF hand)
{
    p.setPen(QPen(sleeve.lighter(125), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    p.setPen(QPen(QColor(0xb0, 0xb8, 0xc0), 1.2));
    p.setBrush(glove);
    p.drawPath(roundedRect(QRectF(hand.x() - 6, hand.y() - 8, 12, 15), 4.5));
    p.drawPath(roundedRect(QRectF(hand.x() - 10, hand.y() - 2, 5, 8), 2.5));
}

void hangingArm(QPainter &p, QPointF shoulder, qreal side)
{
    arm(p, shoulder, shoulder + QPointF(side * 3, 18), shoulder + QPointF(side * 4, 34));
}

// The dashed swing arrow, ending in a head at the end of `path` pointing along `degrees`.
void swingArrow(QPainter &p, const QPainterPath &path, qreal degrees)
{
    QPen pen(swing, 2.2, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({2.5, 1.8});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    fillPath(p, arrowHead(path.currentPosition() + QPointF(qCos(qDegreesToRadians(degrees)),
                                                           qSin(qDegreesToRadians(degrees))) * 7,
                          degrees, 8, 8),
             swing);
}

QImage officer(const std::function<void(QPainter &)> &arms)
{
    return paintPicture(120, 120, backdrop, [&](QPainter &p) {
        body(p);
        arms(p);
    });
}

QPainterPath arc(QPointF from, QPointF control, QPointF to)
{
    QPainterPath path;
    path.moveTo(from);
    path.quadTo(control, to);
    return path;
}

QImage stop()
{
    return officer([](QPainter &p) {
        hangingArm(p, rightShoulder, -1);
        arm(p, leftShoulder, QPointF(80, 22), QPointF(84, 5), 5.5);
    });
}

QImage straight()
{
    return officer([](QPainter &p) {
        arm(p, leftShoulder, QPointF(94, 40), QPointF(113, 40));
        arm(p, rightShoulder, QPointF(26, 40), QPointF(7, 40));
        swingArrow(p, arc(QPointF(8, 52), QPointF(16, 66), QPointF(34, 66)), 5);
    });
}

QImage leftTurn()
{
    return officer([](QPainter &p) {
        arm(p, leftShoulder, QPointF(94, 40), QPointF(113, 40));
        armTowardsViewer(p, rightShoulder, QPointF(40, 50));
        swingArrow(p, arc(QPointF(112, 52), QPointF(104, 66), QPointF(86, 66)), 175);
    });
}

QImage leftTurnWait()
{
    return officer([](QPainter &p) {
        hangingArm(p, rightShoulder, -1);
        arm(p, leftShoulder, QPointF(88, 54), QPointF(101, 67));
        swingArrow(p, arc(QPointF(110, 64), QPointF(114, 76), QPointF(108, 86)), 115);
    });
}

QImage rightTurn()
{
    return officer([](QPainter &p) {
        arm(p, rightShoulder, QPointF(26, 40), QPointF(7, 40));
        armTowardsViewer(p, leftShoulder, QPointF(80, 50));
        swingArrow(p, arc(QPointF(8, 52), QPointF(16, 66), QPointF(34, 66)), 5);
    });
}

QImage laneChange()
{
    return officer([](QPainter &p) {
        hangingArm(p, leftShoulder, 1);
        armTowardsViewer(p, rightShoulder, QPointF(38, 52));
        swingArrow(p, arc(QPointF(26, 66), QPointF(40, 72), QPointF(56, 70)), -5);
    });
}

QImage slowDown()
{
    return officer([](QPainter &p) {
        hangingArm(p, leftShoulder, 1);
        arm(p, rightShoulder, QPointF(30, 44), QPointF(13, 46), 5);
        swingArrow(p, arc(QPointF(6, 54), QPointF(4, 66), QPointF(12, 76)), 60);
    });
}

QImage pullOver()
{
    return officer([](QPainter &p) {
        arm(p, leftShoulder, QPointF(81, 22), QPointF(86, 6), 5.5);
        armTowardsViewer(p, rightShoulder, QPointF(40, 66));
        swingArrow(p, arc(QPointF(26, 80), QPointF(40, 86), QPointF(56, 84)), -5);
    });
}

} // namespace

void addPoliceSignals(std::vector<Artwork> &out)
{
    addPicture(out, "police_stop", stop);
    addPicture(out, "police_straight", straight);
    addPicture(out, "police_left_turn", leftTurn);
    addPicture(out, "police_left_turn_wait", leftTurnWait);
    addPicture(out, "police_right_turn", rightTurn);
    addPicture(out, "police_lane_change", laneChange);
    addPicture(out, "police_slow_down", slowDown);
    addPicture(out, "police_pull_over", pullOver);
}

} // namespace artgen
