// Road situations: top-down plans of a few metres of road, or the view through the windscreen.
// The learner's own vehicle is the blue car, or the blue motorcycle in the motorcycle forms. Wide plans are for true/false questions only.

#include "RoadKit.h"

#include <QtMath>

namespace artgen {

namespace {

using namespace road;

const QColor grass(0x9c, 0xbb, 0x84);
const QColor trees(0x4d, 0x7a, 0x45);
const QColor water(0x5a, 0x93, 0xc4);
const QColor skyDay(0xc9, 0xdf, 0xee);
const QColor hazardAmber(0xff, 0xb0, 0x1f);

void truck(QPainter &p, QPointF centre, qreal degrees, const QColor &cargo = QColor(0xd9, 0x8b, 0x2b))
{
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    fillPath(p, roundedRect(QRectF(-29, -10, 58, 22).translated(1.2, 1.2), 2), QColor(0, 0, 0, 60));
    fillPath(p, roundedRect(QRectF(-29, -11, 44, 22), 2), cargo);
    fillPath(p, roundedRect(QRectF(17, -10, 12, 20), 3), QColor(0xe8, 0xe8, 0xe8));
    fillPath(p, roundedRect(QRectF(23, -8, 4, 16), 1), glass);
    p.restore();
}

void lampGlow(QPainter &p, QPointF at, qreal radius, const QColor &color)
{
    QRadialGradient g(at, radius);
    QColor inner = color;
    QColor outer = color;
    outer.setAlpha(0);
    g.setColorAt(0.0, inner);
    g.setColorAt(0.35, inner);
    g.setColorAt(1.0, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, radius, radius);
}

// A warning triangle on the road, seen from above.
void warningTriangle(QPainter &p, QPointF c)
{
    QPainterPath t = regularPolygon(c, 8, 3, -90);
    strokePath(p, t, sign::red, 2.5, Qt::FlatCap, Qt::MiterJoin);
}

void tree(QPainter &p, QPointF c, qreal r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(trees.darker(115));
    p.drawEllipse(c + QPointF(1.5, 1.5), r, r);
    p.setBrush(trees);
    p.drawEllipse(c, r, r);
}

// ---- wide plans -----------------------------------------------------------------------------

QImage overtakingOnBend(Own own)
{
    return paintPicture(300, 120, grass, [own](QPainter &p) {
        QPainterPath centre;
        centre.moveTo(-10, 88);
        centre.lineTo(150, 88);
        centre.cubicTo(215, 88, 225, 30, 310, 28);
        strokePath(p, centre, white, 46, Qt::FlatCap, Qt::RoundJoin);
        strokePath(p, centre, asphalt, 40, Qt::FlatCap, Qt::RoundJoin);
        strokePath(p, centre, yellow, 2.5, Qt::FlatCap, Qt::RoundJoin);
        // Trees inside the bend hide the road beyond it.
        for (const QPointF &c : {QPointF(178, 44), QPointF(196, 30), QPointF(160, 30),
                                 QPointF(214, 12), QPointF(176, 14)})
            tree(p, c, 12);
        truck(p, QPointF(118, 98), 0);
        ownVehicle(p, own, QPointF(74, 80), -8, 36);
        lampGlow(p, own == Own::Car ? QPointF(91, 74) : QPointF(86, 74), own == Own::Car ? 5 : 4, hazardAmber);
        car(p, QPointF(262, 20), 178, carRed, 36);
    });
}

QImage busAtStop()
{
    return paintPicture(300, 120, asphalt, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 300, 8), road::pavement);
        p.fillRect(QRectF(0, 102, 300, 18), road::pavement);
        hSolid(p, 11, 0, 300, white);
        hDashed(p, 56, 0, 300, yellow, 24, 36, 8);
        hSolid(p, 99, 0, 300, white);
        // The stop: a shelter on the pavement and waiting passengers.
        fillPath(p, roundedRect(QRectF(180, 106, 60, 10), 2), QColor(0x7d, 0x8a, 0x94));
        bus(p, QPointF(208, 84), 0, QColor(0x2e, 0x9e, 0x5b), 76);
        walkerFromAbove(p, QPointF(256, 80), QColor(0xd2, 0x4b, 0x3c));
        walkerFromAbove(p, QPointF(160, 110), QColor(0x5a, 0x6f, 0xb0));
        car(p, QPointF(110, 80), 0, carBlue, 38);
        car(p, QPointF(60, 32), 180, carWhite, 38);
    });
}

QImage levelCrossing(Own own)
{
    return paintPicture(300, 120, grass, [own](QPainter &p) {
        p.fillRect(QRectF(0, 34, 300, 52), asphalt);
        hSolid(p, 37, 0, 300, white);
        hSolid(p, 83, 0, 300, white);
        hDashed(p, 60, 0, 300, yellow, 24, 36, 8);
        // Track bed, sleepers and the two rails crossing the road.
        p.fillRect(QRectF(186, 0, 48, 120), QColor(0x9a, 0x92, 0x86));
        for (qreal y = 2; y < 120; y += 8)
            p.fillRect(QRectF(190, y, 40, 4), QColor(0x6e, 0x55, 0x3c));
        p.fillRect(QRectF(186, 34, 48, 52), QColor(0x7a, 0x7f, 0x84));
        p.fillRect(QRectF(199, 0, 3, 120), QColor(0xcf, 0xd3, 0xd6));
        p.fillRect(QRectF(218, 0, 3, 120), QColor(0xcf, 0xd3, 0xd6));
        vSolid(p, 168, 60, 83, white, 5);
        // A train coming down the line.
        fillPath(p, roundedRect(QRectF(194, -40, 32, 62), 4), QColor(0x3a, 0x6e, 0x5a));
        fillPath(p, roundedRect(QRectF(198, 14, 24, 6), 2), glass);
        ownVehicle(p, own, QPointF(140, 72), 0, 38);
    });
}

QImage expresswayRamp()
{
    return paintPicture(300, 120, grass, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 300, 6), QColor(0x7d, 0x9c, 0x6a));
        p.fillRect(QRectF(0, 8, 300, 72), asphalt);
        hSolid(p, 10, 0, 300, yellow);
        hDashed(p, 44, 0, 300, white, 24, 36, 10);
        // The ramp curves up from below into the acceleration lane, which tapers away.
        QPainterPath ramp;
        ramp.moveTo(-10, 130);
        ramp.cubicTo(60, 120, 90, 92, 150, 92);
        ramp.lineTo(230, 92);
        strokePath(p, ramp, asphalt, 24, Qt::FlatCap, Qt::RoundJoin);
        QPainterPath taper;
        taper.moveTo(228, 80);
        taper.lineTo(228, 104);
        taper.lineTo(290, 80);
        taper.closeSubpath();
        fillPath(p, taper, asphalt);
        QPainterPath outerEdge;
        outerEdge.moveTo(-10, 142);
        outerEdge.cubicTo(60, 132, 92, 104, 150, 104);
        outerEdge.lineTo(228, 104);
        outerEdge.lineTo(290, 80);
        outerEdge.lineTo(300, 80);
        strokePath(p, outerEdge, white, 3);
        hSolid(p, 79, 0, 110, white);
        hDashed(p, 79, 110, 290, white, 12, 8, 0);
        car(p, QPointF(60, 28), 0, carWhite, 36);
        car(p, QPointF(250, 62), 0, carRed, 36);
        car(p, QPointF(176, 92), -4, carBlue, 36);
        lampGlow(p, QPointF(194, 83), 6, hazardAmber);
    });
}

QImage breakdownOnExpressway(Own own)
{
    return paintPicture(300, 120, grass, [own](QPainter &p) {
        p.fillRect(QRectF(0, 6, 300, 98), asphalt);
        hSolid(p, 9, 0, 300, yellow);
        hDashed(p, 40, 0, 300, white, 24, 36, 10);
        hSolid(p, 72, 0, 300, white, 4);
        p.fillRect(QRectF(0, 110, 300, 3), QColor(0xb8, 0xbe, 0xc2));
        for (qreal x = 6; x < 300; x += 30)
            p.fillRect(QRectF(x, 107, 3, 9), QColor(0x8a, 0x93, 0x99));
        ownVehicle(p, own, QPointF(250, 88), 0, 38);
        if (own == Own::Car) {
            for (const QPointF &lamp : {QPointF(232, 80), QPointF(232, 96), QPointF(268, 80), QPointF(268, 96)})
                lampGlow(p, lamp, 5, hazardAmber);
        } else {
            for (const QPointF &lamp : {QPointF(236, 84), QPointF(236, 92), QPointF(264, 82), QPointF(264, 94)})
                lampGlow(p, lamp, 4, hazardAmber);
        }
        warningTriangle(p, QPointF(70, 88));
        car(p, QPointF(130, 56), 0, carWhite, 38);
        walkerFromAbove(p, QPointF(276, 114), QColor(0xd2, 0x4b, 0x3c));
    });
}

QImage ambulanceBehind()
{
    return paintPicture(300, 120, asphalt, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 300, 6), road::pavement);
        p.fillRect(QRectF(0, 114, 300, 6), road::pavement);
        hSolid(p, 9, 0, 300, white);
        hDashed(p, 42, 0, 300, white, 16, 32, 6);
        hDashed(p, 76, 0, 300, white, 16, 32, 6);
        hSolid(p, 111, 0, 300, white);
        // The ambulance: white with a red stripe and its red and blue beacons lit.
        p.save();
        p.translate(80, 58);
        fillPath(p, roundedRect(QRectF(-26, -11, 52, 22), 3), carWhite);
        p.fillRect(QRectF(-26, -2, 40, 4), sign::red);
        fillPath(p, roundedRect(QRectF(14, -9, 7, 18), 2), glass);
        p.restore();
        lampGlow(p, QPointF(88, 52), 8, QColor(0xff, 0x30, 0x30));
        lampGlow(p, QPointF(88, 64), 8, QColor(0x30, 0x7a, 0xff));
        car(p, QPointF(190, 92), 0, carBlue, 38);
        car(p, QPointF(250, 26), 0, carRed, 38);
        lampGlow(p, QPointF(209, 100), 5, hazardAmber);
    });
}

// ---- narrow plans ---------------------------------------------------------------------------

QImage pedestriansOnCrossing(Own own)
{
    return paintPicture(120, 120, asphalt, [own](QPainter &p) {
        p.fillRect(QRectF(0, 0, 6, 120), road::pavement);
        p.fillRect(QRectF(114, 0, 6, 120), road::pavement);
        vDashed(p, 60, 62, 120, yellow, 16, 24, 4);
        vDashed(p, 60, 0, 24, yellow, 16, 24, 4);
        for (qreal x = 9; x + 6 <= 112; x += 12)
            p.fillRect(QRectF(x, 28, 6, 28), white);
        hSolid(p, 64, 62, 114, white, 5);
        walkerFromAbove(p, QPointF(36, 40), QColor(0xd2, 0x4b, 0x3c));
        walkerFromAbove(p, QPointF(70, 44), QColor(0x5a, 0x6f, 0xb0));
        walkerFromAbove(p, QPointF(82, 36), QColor(0xe3, 0xa9, 0x3a));
        ownVehicle(p, own, QPointF(88, 90), -90, 36);
    });
}

QImage narrowBridge(Own own)
{
    return paintPicture(120, 120, grass, [own](QPainter &p) {
        p.fillRect(QRectF(0, 36, 120, 40), water);
        QPainterPath deck;
        deck.moveTo(28, 120);
        deck.lineTo(92, 120);
        deck.lineTo(92, 90);
        deck.lineTo(74, 80);
        deck.lineTo(74, 32);
        deck.lineTo(92, 24);
        deck.lineTo(92, 0);
        deck.lineTo(28, 0);
        deck.lineTo(28, 24);
        deck.lineTo(46, 32);
        deck.lineTo(46, 80);
        deck.lineTo(28, 90);
        deck.closeSubpath();
        fillPath(p, deck, asphalt);
        p.fillRect(QRectF(43, 32, 3, 48), QColor(0xcf, 0xd3, 0xd6));
        p.fillRect(QRectF(74, 32, 3, 48), QColor(0xcf, 0xd3, 0xd6));
        vDashed(p, 60, 92, 120, yellow, 12, 12, 4);
        vDashed(p, 60, 0, 22, yellow, 12, 12, 4);
        truck(p, QPointF(60, 50), 90);
        ownVehicle(p, own, QPointF(76, 104), -90, 30);
    });
}

QImage roundabout(Own own)
{
    return paintPicture(120, 120, grass, [own](QPainter &p) {
        const QPointF c(60, 58);
        p.fillRect(QRectF(45, 0, 30, 120), asphalt);
        p.fillRect(QRectF(0, 43, 120, 30), asphalt);
        p.setPen(Qt::NoPen);
        p.setBrush(asphalt);
        p.drawEllipse(c, 50, 50);
        p.setBrush(grass);
        p.drawEllipse(c, 22, 22);
        tree(p, c, 10);
        // The give-way line across the entry the blue car waits at.
        hDashed(p, 106, 60, 75, white, 4, 3, 0, 3);
        ownVehicle(p, own, own == Own::Car ? QPointF(67, 114) : QPointF(67, 111), -90, 24);
        // Vehicles already in the ring, going anticlockwise.
        car(p, c + QPointF(-34, 14), 68, carRed, 24);
        car(p, c + QPointF(30, -22), -126, carWhite, 24);
    });
}

QImage mountainRoad(Own own)
{
    return paintPicture(120, 120, QColor(0x6e, 0x8f, 0x63), [own](QPainter &p) {
        // Rock face on the left, a drop to the valley on the right beyond the kerb posts.
        p.fillRect(QRectF(0, 0, 36, 120), QColor(0x9b, 0x86, 0x6c));
        for (qreal y = 4; y < 120; y += 16)
            p.fillRect(QRectF(4 + std::fmod(y, 3) * 6, y, 20, 5), QColor(0x82, 0x6e, 0x57));
        p.fillRect(QRectF(36, 0, 48, 120), asphalt);
        p.fillRect(QRectF(84, 0, 36, 120), QColor(0x4f, 0x6c, 0x4a));
        for (qreal y = 6; y < 120; y += 14)
            p.fillRect(QRectF(85, y, 4, 4), white);
        car(p, QPointF(56, 34), 90, carRed, 30);
        ownVehicle(p, own, QPointF(68, 90), -90, 30);
    });
}

QImage uncontrolledJunction(Own own)
{
    return paintPicture(120, 120, grass, [own](QPainter &p) {
        p.fillRect(QRectF(40, 0, 40, 120), asphalt);
        p.fillRect(QRectF(0, 40, 120, 40), asphalt);
        ownVehicle(p, own, QPointF(70, 102), -90, 30);
        car(p, QPointF(104, 50), 180, carRed, 30);
        for (const QPointF &c : {QPointF(16, 16), QPointF(102, 16), QPointF(16, 102), QPointF(104, 104)})
            tree(p, c, 11);
    });
}

// ---- through the windscreen -----------------------------------------------------------------

// A straight road running to the horizon at y = 52.
void perspectiveRoad(QPainter &p, const QColor &ground, const QColor &sky)
{
    p.fillRect(QRectF(0, 0, 120, 52), sky);
    p.fillRect(QRectF(0, 52, 120, 68), ground);
    QPainterPath lane;
    lane.moveTo(56, 52);
    lane.lineTo(64, 52);
    lane.lineTo(124, 120);
    lane.lineTo(-4, 120);
    lane.closeSubpath();
    fillPath(p, lane, asphalt);
}

// The centre line drawn in perspective: dashes shrink towards the horizon.
void perspectiveDashes(QPainter &p, const QColor &color)
{
    for (qreal t = 0.1; t < 1.0; t *= 1.9) {
        const qreal y0 = 52 + 68 * t;
        const qreal y1 = 52 + 68 * qMin(1.0, t * 1.45);
        QPainterPath dash;
        dash.moveTo(60 - 0.3 - t * 1.5, y0);
        dash.lineTo(60 + 0.3 + t * 1.5, y0);
        dash.lineTo(60 + 0.3 + t * 2.2, y1);
        dash.lineTo(60 - 0.3 - t * 2.2, y1);
        dash.closeSubpath();
        fillPath(p, dash, color);
    }
}

QImage schoolZone()
{
    return paintPicture(120, 120, skyDay, [](QPainter &p) {
        perspectiveRoad(p, grass, skyDay);
        // The school beyond the road, its flag, and the warning sign by the kerb.
        p.fillRect(QRectF(4, 24, 46, 28), QColor(0xe8, 0xd9, 0xc0));
        for (qreal x = 8; x < 48; x += 10)
            p.fillRect(QRectF(x, 30, 6, 6), QColor(0x7a, 0x9c, 0xb8));
        p.fillRect(QRectF(26, 44, 8, 8), QColor(0x8a, 0x6a, 0x4a));
        p.fillRect(QRectF(64, 10, 1.5, 42), QColor(0x70, 0x70, 0x70));
        p.fillRect(QRectF(65.5, 10, 12, 8), sign::red);
        p.fillRect(QRectF(103, 40, 2, 40), QColor(0x70, 0x70, 0x70));
        QPainterPath sign = regularPolygon(QPointF(104, 38), 12, 3, -90);
        fillPath(p, sign, sign::yellow);
        strokePath(p, sign, sign::black, 1.6, Qt::FlatCap, Qt::MiterJoin);
        standingPerson(p, QPointF(101, 44), 10, sign::black, true);
        standingPerson(p, QPointF(107, 44), 8, sign::black, true);
        // Zebra stripes across the road and children crossing it.
        for (int i = 0; i < 8; ++i) {
            const qreal x = 16 + i * 12;
            p.fillRect(QRectF(x, 82, 7, 10), white);
        }
        standingPerson(p, QPointF(44, 92), 24, QColor(0xd2, 0x4b, 0x3c), true);
        standingPerson(p, QPointF(60, 90), 22, QColor(0x3c, 0x8a, 0xd2), true);
        standingPerson(p, QPointF(75, 92), 25, QColor(0xe3, 0xa9, 0x3a), true);
    });
}

QImage fog()
{
    return paintPicture(120, 120, skyDay, [](QPainter &p) {
        perspectiveRoad(p, QColor(0x8f, 0x9a, 0x88), QColor(0xd5, 0xd9, 0xdc));
        perspectiveDashes(p, white);
        // The car ahead: tail lamps and rear fog lamp glowing through the fog.
        fillPath(p, roundedRect(QRectF(46, 64, 28, 16), 3), QColor(0x6a, 0x70, 0x78));
        lampGlow(p, QPointF(49, 72), 6, QColor(0xff, 0x30, 0x30));
        lampGlow(p, QPointF(71, 72), 6, QColor(0xff, 0x30, 0x30));
        lampGlow(p, QPointF(60, 77), 4, QColor(0xff, 0x50, 0x40));
        QLinearGradient mist(0, 30, 0, 120);
        mist.setColorAt(0.0, QColor(0xe6, 0xe8, 0xea, 250));
        mist.setColorAt(0.45, QColor(0xe6, 0xe8, 0xea, 170));
        mist.setColorAt(1.0, QColor(0xe6, 0xe8, 0xea, 90));
        p.fillRect(QRectF(0, 0, 120, 120), mist);
        lampGlow(p, QPointF(49, 72), 4, QColor(0xff, 0x40, 0x40, 170));
        lampGlow(p, QPointF(71, 72), 4, QColor(0xff, 0x40, 0x40, 170));
    });
}

QImage nightMeeting()
{
    return paintPicture(120, 120, QColor(0x0d, 0x12, 0x1c), [](QPainter &p) {
        p.fillRect(QRectF(0, 52, 120, 68), QColor(0x10, 0x14, 0x12));
        QPainterPath lane;
        lane.moveTo(56, 52);
        lane.lineTo(64, 52);
        lane.lineTo(124, 120);
        lane.lineTo(-4, 120);
        lane.closeSubpath();
        fillPath(p, lane, QColor(0x26, 0x29, 0x2c));
        // Our dipped beams light the road just ahead of us.
        QRadialGradient beam(QPointF(70, 120), 60);
        beam.setColorAt(0.0, QColor(0xff, 0xf4, 0xd0, 150));
        beam.setColorAt(1.0, QColor(0xff, 0xf4, 0xd0, 0));
        p.fillRect(QRectF(0, 60, 120, 60), beam);
        perspectiveDashes(p, QColor(0xc8, 0xa8, 0x30));
        // The oncoming car's headlamps, dazzling.
        lampGlow(p, QPointF(50, 58), 14, QColor(0xff, 0xff, 0xe8, 220));
        lampGlow(p, QPointF(58, 58), 14, QColor(0xff, 0xff, 0xe8, 220));
    });
}

QImage tunnel()
{
    return paintPicture(120, 120, skyDay, [](QPainter &p) {
        p.fillRect(QRectF(0, 20, 120, 100), QColor(0x7b, 0x9a, 0x68));
        QPainterPath hill;
        hill.moveTo(0, 30);
        hill.quadTo(60, -6, 120, 30);
        hill.lineTo(120, 60);
        hill.lineTo(0, 60);
        hill.closeSubpath();
        fillPath(p, hill, QColor(0x5d, 0x80, 0x52));
        // The portal and the dark mouth with its lights.
        p.fillRect(QRectF(18, 24, 84, 40), QColor(0xb8, 0xb4, 0xaa));
        QPainterPath mouth;
        mouth.moveTo(30, 64);
        mouth.lineTo(30, 48);
        mouth.quadTo(30, 30, 60, 30);
        mouth.quadTo(90, 30, 90, 48);
        mouth.lineTo(90, 64);
        mouth.closeSubpath();
        fillPath(p, mouth, QColor(0x15, 0x17, 0x1a));
        for (qreal x : {42.0, 52.0, 68.0, 78.0})
            lampGlow(p, QPointF(x, 38 + std::abs(x - 60) * 0.2), 3, QColor(0xff, 0xd8, 0x80));
        QPainterPath roadway;
        roadway.moveTo(36, 64);
        roadway.lineTo(84, 64);
        roadway.lineTo(124, 120);
        roadway.lineTo(-4, 120);
        roadway.closeSubpath();
        fillPath(p, roadway, asphalt);
        QPainterPath centre;
        centre.moveTo(59.5, 64);
        centre.lineTo(60.5, 64);
        centre.lineTo(62, 120);
        centre.lineTo(58, 120);
        centre.closeSubpath();
        fillPath(p, centre, yellow);
    });
}

} // namespace

void addRoadScenes(std::vector<Artwork> &out)
{
    // Each scene with the learner's own vehicle in it also comes with a motorcycle in its place,
    // for the motorcycle questions ("…_moto").
    const auto twice = [&out](const char *name, QImage (*draw)(Own)) {
        addPicture(out, name, [draw] { return draw(Own::Car); });
        addPicture(out, (std::string(name) + "_moto").c_str(), [draw] { return draw(Own::Motorcycle); });
    };
    twice("scene_overtake_bend", overtakingOnBend);
    addPicture(out, "scene_bus_stop", busAtStop);
    twice("scene_level_crossing", levelCrossing);
    addPicture(out, "scene_expressway_ramp", expresswayRamp);
    twice("scene_breakdown_triangle", breakdownOnExpressway);
    addPicture(out, "scene_ambulance", ambulanceBehind);
    twice("scene_crosswalk_pedestrians", pedestriansOnCrossing);
    twice("scene_narrow_bridge", narrowBridge);
    twice("scene_roundabout", roundabout);
    twice("scene_mountain_road", mountainRoad);
    twice("scene_junction_no_signals", uncontrolledJunction);
    addPicture(out, "scene_school_zone", schoolZone);
    addPicture(out, "scene_fog", fog);
    addPicture(out, "scene_night_meeting", nightMeeting);
    addPicture(out, "scene_tunnel", tunnel);
}

} // namespace artgen
