// More prohibition signs: speed limits, vehicle classes barred, overtaking, horn, width and
// the sign for giving way to oncoming traffic.

#include "SignKit.h"

namespace artgen {

namespace {

const QColor cancelledGrey(0x8c, 0x8c, 0x8c);

QImage speedLimit(const char *figure)
{
    const QString text = QString::fromLatin1(figure);
    return prohibitionSignPicture(false, [text](QPainter &p, QPointF c) {
        drawCentredText(p, c, text, latinFont(text.size() > 2 ? 40 : 50, true), sign::black);
    });
}

QImage speedLimitEnd(const char *figure)
{
    const QString text = QString::fromLatin1(figure);
    return endOfRestrictionPicture([text](QPainter &p, QPointF c) {
        drawCentredText(p, c, text, latinFont(50, true), cancelledGrey);
    });
}

void twoCars(QPainter &p, QPointF c, const QColor &left, const QColor &right)
{
    inSymbolBox(p, c + QPointF(-22, 2), 0.5, [&] { pictogram::carRear(p, left, sign::white); });
    inSymbolBox(p, c + QPointF(22, 2), 0.5, [&] { pictogram::carRear(p, right, sign::white); });
}

// A barred symbol: the slash first, the symbol over it, as Chinese prohibition signs do.
QImage barred(const std::function<void(QPainter &)> &symbol, qreal scale = 0.68)
{
    return prohibitionSignPicture(true, [&](QPainter &p, QPointF c) {
        inSymbolBox(p, c, scale, [&] { symbol(p); });
    });
}

QImage widthLimit()
{
    return prohibitionSignPicture(false, [](QPainter &p, QPointF c) {
        drawCentredText(p, c, QStringLiteral("3m"), latinFont(30, true), sign::black);
        fillPath(p, arrowHead(c + QPointF(-26, 0), 0, 11, 18), sign::black);
        fillPath(p, arrowHead(c + QPointF(26, 0), 180, 11, 18), sign::black);
        polyline(p, {c + QPointF(-38, -10), c + QPointF(-38, 10)}, sign::black, 3);
        polyline(p, {c + QPointF(38, -10), c + QPointF(38, 10)}, sign::black, 3);
    });
}

QImage noPassage()
{
    return prohibitionSignPicture(false, [](QPainter &, QPointF) {});
}

} // namespace

void addMoreProhibitionSigns(std::vector<Artwork> &out)
{
    const auto add = [&out](const char *name, std::function<QImage()> draw) {
        addPicture(out, name, std::move(draw));
    };
    add("sign_speed_limit_30", [] { return speedLimit("30"); });
    add("sign_speed_limit_60", [] { return speedLimit("60"); });
    add("sign_speed_limit_80", [] { return speedLimit("80"); });
    add("sign_speed_limit_100", [] { return speedLimit("100"); });
    add("sign_speed_limit_120", [] { return speedLimit("120"); });
    add("sign_speed_limit_end_60", [] { return speedLimitEnd("60"); });
    add("sign_no_overtaking", [] {
        return prohibitionSignPicture(false, [](QPainter &p, QPointF c) {
            twoCars(p, c, sign::red, sign::black);
        });
    });
    add("sign_no_overtaking_end", [] {
        return endOfRestrictionPicture([](QPainter &p, QPointF c) {
            twoCars(p, c, cancelledGrey, cancelledGrey);
        });
    });
    add("sign_no_motor_vehicles", [] {
        return barred([](QPainter &p) { pictogram::carSide(p, sign::black, sign::white); });
    });
    add("sign_no_trucks", [] {
        return barred([](QPainter &p) { pictogram::truckSide(p, sign::black, sign::white); });
    });
    add("sign_no_buses", [] {
        return barred([](QPainter &p) { pictogram::busSide(p, sign::black, sign::white); });
    });
    add("sign_no_motorcycles", [] {
        return barred([](QPainter &p) { pictogram::motorcycle(p, sign::black); });
    });
    add("sign_no_non_motor", [] {
        return barred([](QPainter &p) { pictogram::bicycle(p, sign::black); });
    });
    add("sign_no_pedestrians", [] {
        return barred([](QPainter &p) { pictogram::walker(p, sign::black); }, 0.62);
    });
    add("sign_no_honking", [] {
        return barred([](QPainter &p) { pictogram::horn(p, sign::black); }, 0.6);
    });
    add("sign_no_straight", [] {
        return barred([](QPainter &p) { drawStraightArrow(p, sign::black); });
    });
    add("sign_no_left_right", [] {
        return barred([](QPainter &p) { drawBranchArrows(p, true, false, true, sign::black); }, 0.62);
    });
    add("sign_no_tractors", [] {
        return barred([](QPainter &p) { pictogram::tractor(p, sign::black, sign::white); }, 0.66);
    });
    add("sign_no_straight_left", [] {
        return barred([](QPainter &p) { drawBranchArrows(p, true, true, false, sign::black); }, 0.64);
    });
    add("sign_no_straight_right", [] {
        return barred([](QPainter &p) { drawBranchArrows(p, false, true, true, sign::black); }, 0.64);
    });
    add("sign_width_limit", widthLimit);
    add("sign_no_passage", noPassage);
    add("sign_give_way_oncoming", [] {
        return prohibitionSignPicture(false, [](QPainter &p, QPointF c) {
            inSymbolBox(p, c, 0.72, [&] { drawMeetingArrows(p, sign::red, sign::black, false); });
        });
    });
}

} // namespace artgen
