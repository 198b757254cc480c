// More signal heads: arrow signals, pairs of heads, pedestrian and cycle signals, the railway
// crossing pair and a countdown display, each 120 pixels wide so it fits beside four options.

#include "SignalKit.h"

namespace artgen {

namespace {

using namespace lights;

const Lamp lampOrder[] = {Lamp::Red, Lamp::Yellow, Lamp::Green};

// Arrow lamps point left by design; `degrees` turns them (90 = up, 180 = right).
void turnedArrowLamp(QPainter &p, QPointF centre, Lamp lamp, bool lit, qreal degrees)
{
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    arrowLamp(p, QPointF(0, 0), lamp, lit);
    p.restore();
}

// A vertical three-lamp head centred on `centre`; `face` draws each lamp.
void head(QPainter &p, QPointF centre, Lamp litLamp, bool anyLit,
          const std::function<void(QPointF, Lamp, bool)> &face)
{
    for (int i = 0; i < 3; ++i)
        if (anyLit && lampOrder[i] == litLamp)
            glow(p, centre + QPointF(0, (i - 1) * 34), 14, litColor(lampOrder[i]));
    fillPath(p, roundedRect(QRectF(centre.x() - 21, centre.y() - 54, 42, 108), 6), housing);
    for (int i = 0; i < 3; ++i)
        face(centre + QPointF(0, (i - 1) * 34), lampOrder[i], anyLit && lampOrder[i] == litLamp);
}

QImage arrowHead(Lamp lit, qreal degrees)
{
    return paintPicture(120, 120, sky, [lit, degrees](QPainter &p) {
        head(p, QPointF(60, 60), lit, true, [&](QPointF at, Lamp lamp, bool on) {
            turnedArrowLamp(p, at, lamp, on, degrees);
        });
    });
}

// A round head on the left, an arrow head on the right, as hung side by side over a junction.
QImage roundAndArrow(Lamp roundLit, Lamp arrowLit, qreal degrees)
{
    return paintPicture(120, 120, sky, [=](QPainter &p) {
        head(p, QPointF(34, 60), roundLit, true,
             [&](QPointF at, Lamp lamp, bool on) { roundLamp(p, at, lamp, on); });
        head(p, QPointF(86, 60), arrowLit, true,
             [&](QPointF at, Lamp lamp, bool on) { turnedArrowLamp(p, at, lamp, on, degrees); });
    });
}

void standingFigure(QPainter &p, QPointF c, const QColor &color)
{
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(0, -11), 3.6, 3.6);
    p.drawPath(roundedRect(QRectF(-5, -6.5, 10, 11), 2));
    p.setPen(QPen(color, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-2.4, 4), QPointF(-2.4, 13.5));
    p.drawLine(QPointF(2.4, 4), QPointF(2.4, 13.5));
    p.restore();
}

void walkingFigure(QPainter &p, QPointF c, const QColor &color)
{
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(1.5, -11), 3.6, 3.6);
    p.setPen(QPen(color, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(0.5, -5), QPointF(-0.5, 3));
    p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath limbs;
    limbs.moveTo(-6, 2);
    limbs.lineTo(-3, -3);
    limbs.lineTo(1, -4);
    limbs.lineTo(5, 0);
    limbs.lineTo(8, -1);
    limbs.moveTo(-0.5, 3);
    limbs.lineTo(-4, 8);
    limbs.lineTo(-8, 13);
    limbs.moveTo(-0.5, 3);
    limbs.lineTo(4, 8);
    limbs.lineTo(6, 13.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(limbs);
    p.restore();
}

void bicycleFigure(QPainter &p, QPointF c, const QColor &color)
{
    p.save();
    p.translate(c);
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-6.5, 4), 5, 5);
    p.drawEllipse(QPointF(6.5, 4), 5, 5);
    QPainterPath frame;
    frame.moveTo(-6.5, 4);
    frame.lineTo(-2, -4);
    frame.lineTo(5, -4);
    frame.lineTo(6.5, 4);
    frame.moveTo(-6.5, 4);
    frame.lineTo(0, 4);
    frame.lineTo(5, -4);
    frame.moveTo(-4, -7);
    frame.lineTo(0, -7);
    frame.moveTo(4, -9);
    frame.lineTo(5, -4);
    p.drawPath(frame);
    p.restore();
}

// A two-lamp pedestrian head: standing figure above, walking figure below.
QImage pedestrianSignal(bool walk)
{
    return paintPicture(120, 120, sky, [walk](QPainter &p) {
        const QPointF top(60, 38);
        const QPointF bottom(60, 84);
        glow(p, walk ? bottom : top, 18, litColor(walk ? Lamp::Green : Lamp::Red));
        fillPath(p, roundedRect(QRectF(34, 12, 52, 98), 6), housing);
        for (const QPointF &c : {top, bottom})
            fillPath(p, roundedRect(QRectF(c.x() - 19, c.y() - 19, 38, 38), 5), QColor(0x2a, 0x2d, 0x30));
        standingFigure(p, top, walk ? darkColor(Lamp::Red) : litColor(Lamp::Red));
        walkingFigure(p, bottom, walk ? litColor(Lamp::Green) : darkColor(Lamp::Green));
    });
}

QImage cycleSignal(Lamp lit)
{
    return paintPicture(120, 120, sky, [lit](QPainter &p) {
        head(p, QPointF(60, 60), lit, true, [&](QPointF at, Lamp lamp, bool on) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2a, 0x2d, 0x30));
            p.drawEllipse(at, 14, 14);
            bicycleFigure(p, at, on ? litColor(lamp) : darkColor(lamp));
        });
    });
}

QImage railwayCrossing()
{
    return paintPicture(120, 120, sky, [](QPainter &p) {
        // Post, the St Andrew's cross board above, and the two red lamps side by side.
        p.fillRect(QRectF(57, 44, 6, 76), QColor(0x8a, 0x93, 0x99));
        p.save();
        p.translate(60, 24);
        for (qreal a : {32.0, -32.0}) {
            p.save();
            p.rotate(a);
            fillPath(p, roundedRect(QRectF(-30, -5, 60, 10), 1), sign::white);
            p.setPen(QPen(sign::red, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(-30, -5, 60, 10));
            p.restore();
        }
        p.restore();
        const QPointF left(36, 72);
        const QPointF right(84, 72);
        glow(p, left, 14, litColor(Lamp::Red));
        fillPath(p, roundedRect(QRectF(14, 52, 92, 40), 20), housing);
        roundLamp(p, left, Lamp::Red, true);
        roundLamp(p, right, Lamp::Red, false);
    });
}

QImage horizontalHead()
{
    return paintPicture(120, 120, sky, [](QPainter &p) {
        p.fillRect(QRectF(0, 30, 120, 6), QColor(0x8a, 0x93, 0x99));
        glow(p, QPointF(26, 66), 14, litColor(Lamp::Red));
        fillPath(p, roundedRect(QRectF(5, 45, 110, 42), 6), housing);
        for (int i = 0; i < 3; ++i)
            roundLamp(p, QPointF(26 + i * 34, 66), lampOrder[i], i == 0);
    });
}

QImage countdown()
{
    return paintPicture(120, 120, sky, [](QPainter &p) {
        head(p, QPointF(36, 60), Lamp::Red, true,
             [&](QPointF at, Lamp lamp, bool on) { roundLamp(p, at, lamp, on); });
        const QRectF panel(64, 40, 48, 40);
        fillPath(p, roundedRect(panel, 5), housing);
        drawCentredText(p, panel.center(), QStringLiteral("18"), latinFont(28, true),
                        litColor(Lamp::Red));
    });
}

} // namespace

void addMoreSignals(std::vector<Artwork> &out)
{
    addPicture(out, "light_arrow_red_left", [] { return arrowHead(Lamp::Red, 0); });
    addPicture(out, "light_arrow_green_straight", [] { return arrowHead(Lamp::Green, 90); });
    addPicture(out, "light_arrow_green_right", [] { return arrowHead(Lamp::Green, 180); });
    addPicture(out, "light_arrow_yellow_straight", [] { return arrowHead(Lamp::Yellow, 90); });
    addPicture(out, "light_red_green_right", [] { return roundAndArrow(Lamp::Red, Lamp::Green, 180); });
    addPicture(out, "light_green_red_left", [] { return roundAndArrow(Lamp::Green, Lamp::Red, 0); });
    addPicture(out, "light_pedestrian_red", [] { return pedestrianSignal(false); });
    addPicture(out, "light_pedestrian_green", [] { return pedestrianSignal(true); });
    addPicture(out, "light_cycle_red", [] { return cycleSignal(Lamp::Red); });
    addPicture(out, "light_railway_crossing", railwayCrossing);
    addPicture(out, "light_horizontal_red", horizontalHead);
    addPicture(out, "light_countdown_red", countdown);
}

} // namespace artgen
