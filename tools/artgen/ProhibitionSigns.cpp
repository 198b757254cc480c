// Prohibition signs: white disc, red ring, black symbol, red slash where the real sign has one.

#include "IllustrationKit.h"

namespace artgen {

namespace {

QImage stopSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        const QPainterPath outer = regularPolygon(c, 57, 8, 22.5);
        strokePath(p, outer, QColor(0xb8, 0xb8, 0xb8), 1.0);
        fillPath(p, outer, sign::white);
        fillPath(p, regularPolygon(c, 53, 8, 22.5), sign::red);
        drawCentredText(p, c, QStringLiteral("停"), sansFont(52, true), sign::white);
    });
}

QImage yieldSign()
{
    return signPicture([](QPainter &p, QPointF) {
        QPainterPath outer;
        outer.moveTo(4, 8);
        outer.lineTo(116, 8);
        outer.lineTo(60, 105);
        outer.closeSubpath();
        p.setPen(QPen(sign::red, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(sign::red);
        p.drawPath(outer);
        const QPointF centroid(60, (8 + 8 + 105) / 3.0);
        QTransform shrink;
        shrink.translate(centroid.x(), centroid.y());
        shrink.scale(0.74, 0.74);
        shrink.translate(-centroid.x(), -centroid.y());
        fillPath(p, shrink.map(outer), sign::white);
        drawCentredText(p, centroid + QPointF(0, -3), QStringLiteral("让"), sansFont(34, true),
                        sign::black);
    });
}

QImage noEntrySign()
{
    return signPicture([](QPainter &p, QPointF c) {
        p.setPen(Qt::NoPen);
        p.setBrush(sign::red);
        p.drawEllipse(c, 56, 56);
        p.setBrush(sign::white);
        p.drawRect(QRectF(c.x() - 38, c.y() - 8, 76, 16));
    });
}

QImage noTurnSign(bool left)
{
    return signPicture([left](QPainter &p, QPointF c) {
        // Chinese prohibition signs lay the symbol over the slash, which keeps the arrow readable.
        paintProhibitionDisc(p, c);
        paintProhibitionSlash(p, c);
        inSymbolBox(p, c, 0.68, [&] { drawTurnArrow(p, left, sign::black); });
    });
}

QImage noUTurnSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c);
        paintProhibitionSlash(p, c);
        inSymbolBox(p, c, 0.68, [&] {
            QPainterPath shaft;
            shaft.moveTo(20, 48);
            shaft.lineTo(20, -14);
            shaft.arcTo(QRectF(-20, -34, 40, 40), 0, 180);
            shaft.lineTo(-20, 8);
            drawArrow(p, shaft, QPointF(-20, 42), 90, 15, 32, 40, sign::black);
        });
    });
}

QImage parkingSign(bool crossed)
{
    return signPicture([crossed](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c, sign::blue);
        const qreal d = 45 * 0.7071 + 2;
        p.save();
        QPainterPath disc;
        disc.addEllipse(c, 46, 46);
        p.setClipPath(disc);
        p.setPen(QPen(sign::red, 10, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
        if (crossed)
            p.drawLine(c + QPointF(d, -d), c + QPointF(-d, d));
        p.restore();
    });
}

QImage speedLimitSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c);
        drawCentredText(p, c, QStringLiteral("40"), latinFont(50, true), sign::black);
    });
}

QImage speedLimitEndSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.0));
        p.setBrush(sign::white);
        p.drawEllipse(c, 56.5, 56.5);
        p.setPen(QPen(sign::black, 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 52, 52);
        drawCentredText(p, c, QStringLiteral("40"), latinFont(50, true), QColor(0x8c, 0x8c, 0x8c));
        // Thin parallel lines from lower left to upper right cancel the limit.
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

QImage heightLimitSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c);
        drawCentredText(p, c, QStringLiteral("3.5m"), latinFont(28, true), sign::black);
        fillPath(p, arrowHead(c + QPointF(0, -17), 90, 12, 18), sign::black);
        fillPath(p, arrowHead(c + QPointF(0, 17), -90, 12, 18), sign::black);
    });
}

QImage weightLimitSign()
{
    return signPicture([](QPainter &p, QPointF c) {
        paintProhibitionDisc(p, c);
        drawCentredText(p, c, QStringLiteral("10t"), latinFont(40, true), sign::black);
    });
}

} // namespace

void addProhibitionSigns(std::vector<Artwork> &out)
{
    const auto add = [&out](const char *name, std::function<QImage()> draw) {
        addPicture(out, name, std::move(draw));
    };
    add("sign_stop", stopSign);
    add("sign_yield", yieldSign);
    add("sign_no_entry", noEntrySign);
    add("sign_no_left", [] { return noTurnSign(true); });
    add("sign_no_right", [] { return noTurnSign(false); });
    add("sign_no_uturn", noUTurnSign);
    add("sign_no_parking", [] { return parkingSign(true); });
    add("sign_no_long_parking", [] { return parkingSign(false); });
    add("sign_speed_limit_40", speedLimitSign);
    add("sign_speed_limit_end_40", speedLimitEndSign);
    add("sign_height_limit", heightLimitSign);
    add("sign_weight_limit", weightLimitSign);
}

} // namespace artgen
