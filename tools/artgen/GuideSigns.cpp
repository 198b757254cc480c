// Guide and information signs: green for expressways, blue for other roads and facilities.

#include "SignKit.h"

namespace artgen {

namespace {

QImage facility(const std::function<void(QPainter &)> &symbol, qreal scale)
{
    return platePicture(108, 108, sign::blue, [&](QPainter &p, QRectF inner) {
        inSymbolBox(p, inner.center(), scale, [&] { symbol(p); });
    });
}

QImage serviceAreaAhead()
{
    return platePicture(108, 108, sign::green, [](QPainter &p, QRectF inner) {
        const QPointF c = inner.center();
        inSymbolBox(p, c + QPointF(-25, -18), 0.42, [&] {
            pictogram::fuelPump(p, sign::white, sign::green);
        });
        inSymbolBox(p, c + QPointF(1, -18), 0.42, [&] { pictogram::knifeAndFork(p, sign::white); });
        drawCentredText(p, c + QPointF(27, -18), QStringLiteral("P"), latinFont(30, true), sign::white);
        drawCentredText(p, c + QPointF(0, 24), QStringLiteral("2 km"), latinFont(26, true),
                        sign::white);
    });
}

QImage exitAhead()
{
    return platePicture(108, 108, sign::green, [](QPainter &p, QRectF inner) {
        const QPointF c = inner.center();
        // The main carriageway runs on; the exit leaves it to the right.
        QPainterPath main;
        main.moveTo(c + QPointF(-14, 10));
        main.lineTo(c + QPointF(-14, -20));
        drawArrow(p, main, c + QPointF(-14, -38), -90, 9, 16, 22, sign::white);
        QPainterPath exit;
        exit.moveTo(c + QPointF(-14, 4));
        exit.cubicTo(c + QPointF(-14, -8), c + QPointF(4, -14), c + QPointF(12, -22));
        drawArrow(p, exit, c + QPointF(24, -34), -45, 9, 16, 22, sign::white);
        drawCentredText(p, c + QPointF(0, 28), QStringLiteral("1 km"), latinFont(26, true),
                        sign::white);
    });
}

} // namespace

void addGuideSigns(std::vector<Artwork> &out)
{
    addPicture(out, "info_emergency_phone", [] {
        return facility([](QPainter &p) { pictogram::telephone(p, sign::white); }, 0.82);
    });
    addPicture(out, "info_fuel", [] {
        return facility([](QPainter &p) { pictogram::fuelPump(p, sign::white, sign::blue); }, 0.8);
    });
    addPicture(out, "guide_service_area", serviceAreaAhead);
    addPicture(out, "guide_exit_ahead", exitAhead);
}

} // namespace artgen
