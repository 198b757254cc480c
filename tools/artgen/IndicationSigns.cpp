// Indication signs: blue discs for what a road user must do, blue plates for lanes, one-way
// roads, crossings and priority when meeting.

#include "SignKit.h"

namespace artgen {

namespace {

const QColor &ink = sign::white;

QImage disc(const std::function<void(QPainter &)> &symbol, qreal scale = 0.7, QPointF shift = {})
{
    return indicationDiscPicture([&](QPainter &p, QPointF c) {
        inSymbolBox(p, c + shift, scale, [&] { symbol(p); });
    });
}

// A lane plate: the lane's users above, an arrow down to the lane below.
QImage lanePlate(const std::function<void(QPainter &)> &symbol, qreal scale)
{
    return platePicture(88, 112, sign::blue, [&](QPainter &p, QRectF inner) {
        const QPointF c = inner.center();
        inSymbolBox(p, c + QPointF(0, -22), scale, [&] { symbol(p); });
        inSymbolBox(p, c + QPointF(0, 26), 0.4, [&] {
            p.rotate(180);
            drawStraightArrow(p, ink);
        });
    });
}

QImage minimumSpeed(const char *figure)
{
    const QString text = QString::fromLatin1(figure);
    return indicationDiscPicture([text](QPainter &p, QPointF c) {
        drawCentredText(p, c, text, latinFont(text.size() > 2 ? 40 : 50, true), ink);
    });
}

QImage pedestrianCrossing()
{
    return platePicture(108, 108, sign::blue, [](QPainter &p, QRectF inner) {
        const QPointF c = inner.center();
        QPainterPath triangle;
        triangle.moveTo(c + QPointF(0, -44));
        triangle.lineTo(c + QPointF(46, 38));
        triangle.lineTo(c + QPointF(-46, 38));
        triangle.closeSubpath();
        fillPath(p, triangle, sign::white);
        for (int i = 0; i < 4; ++i) {
            QPainterPath stripe;
            stripe.addRect(QRectF(c.x() - 34 + i * 19, c.y() + 27, 11, 6));
            fillPath(p, stripe, sign::black);
        }
        inSymbolBox(p, c + QPointF(0, 2), 0.44, [&] { pictogram::walker(p, sign::black); });
    });
}

QImage oneWay(bool straight)
{
    const qreal width = straight ? 64 : 112, height = straight ? 112 : 64;
    return platePicture(width, height, sign::blue, [straight](QPainter &p, QRectF inner) {
        inSymbolBox(p, inner.center(), 0.78, [&] {
            if (!straight)
                p.rotate(-90);
            drawStraightArrow(p, ink);
        });
    });
}

QImage priorityOncoming()
{
    return platePicture(108, 108, sign::blue, [](QPainter &p, QRectF inner) {
        inSymbolBox(p, inner.center(), 0.76, [&] { drawMeetingArrows(p, ink, sign::red, true); });
    });
}

} // namespace

void addIndicationSigns(std::vector<Artwork> &out)
{
    const auto add = [&out](const char *name, std::function<QImage()> draw) {
        addPicture(out, name, std::move(draw));
    };
    add("ind_keep_left", [] {
        return disc([](QPainter &p) {
            p.rotate(-135);
            drawStraightArrow(p, ink);
        });
    });
    add("ind_straight_left", [] {
        return disc([](QPainter &p) { drawBranchArrows(p, true, true, false, ink); }, 0.66);
    });
    add("ind_straight_right", [] {
        return disc([](QPainter &p) { drawBranchArrows(p, false, true, true, ink); }, 0.66);
    });
    add("ind_left_right", [] {
        return disc([](QPainter &p) { drawBranchArrows(p, true, false, true, ink); }, 0.7);
    });
    add("ind_walk", [] { return disc([](QPainter &p) { pictogram::walker(p, ink); }, 0.76); });
    add("ind_honk", [] { return disc([](QPainter &p) { pictogram::horn(p, ink); }, 0.7); });
    add("ind_motor_vehicles", [] {
        return disc([](QPainter &p) { pictogram::carSide(p, ink, sign::blue); }, 0.78);
    });
    add("ind_non_motor", [] {
        return disc([](QPainter &p) { pictogram::bicycle(p, ink); }, 0.76, {0, -4});
    });
    add("ind_motor_lane", [] {
        return lanePlate([](QPainter &p) { pictogram::carSide(p, ink, sign::blue); }, 0.72);
    });
    add("ind_non_motor_lane", [] {
        return lanePlate([](QPainter &p) { pictogram::bicycle(p, ink); }, 0.7);
    });
    add("ind_bus_lane", [] {
        return lanePlate([](QPainter &p) { pictogram::busSide(p, ink, sign::blue); }, 0.72);
    });
    add("ind_min_speed_90", [] { return minimumSpeed("90"); });
    add("ind_min_speed_100", [] { return minimumSpeed("100"); });
    add("ind_pedestrian_crossing", pedestrianCrossing);
    add("ind_one_way_straight", [] { return oneWay(true); });
    add("ind_one_way_left", [] { return oneWay(false); });
    add("ind_priority_oncoming", priorityOncoming);
}

} // namespace artgen
