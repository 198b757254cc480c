// Dashboard warning and indicator lamps: the lit symbol in its real colour on a black panel.

#include "IllustrationKit.h"

namespace artgen {

namespace {

const QColor dashboard(0x0c, 0x0d, 0x0f);
const QColor blueLamp(0x2f, 0x86, 0xff);
const QColor greenLamp(0x2e, 0xd1, 0x5a);
const QColor amberLamp(0xff, 0xa8, 0x00);
const QColor redLamp(0xff, 0x33, 0x2b);

// Symbols are drawn round the origin at roughly ±40; the panel is 150 × 120.
QImage lampPicture(const std::function<void(QPainter &)> &symbol)
{
    return paintPicture(150, 120, dashboard, [&](QPainter &p) {
        p.translate(75, 60);
        symbol(p);
    });
}

void strokeLines(QPainter &p, const QColor &color, qreal width,
                 std::initializer_list<QLineF> lines)
{
    p.save();
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF &line : lines)
        p.drawLine(line);
    p.restore();
}

// A headlamp with its flat lens facing `facingLeft ? left : right`, lens edge at x = lensX.
void headlamp(QPainter &p, qreal lensX, bool facingLeft, const QColor &color)
{
    const qreal back = facingLeft ? 30 : -30;
    QPainterPath shell;
    shell.moveTo(lensX, -20);
    shell.cubicTo(lensX + back, -20, lensX + back, 20, lensX, 20);
    shell.closeSubpath();
    strokePath(p, shell, color, 5, Qt::RoundCap, Qt::RoundJoin);
}

// Beam lines leaving the lens at x = from and ending at x = to; `drop` slants them downwards.
void beams(QPainter &p, qreal from, qreal to, qreal drop, int count, const QColor &color)
{
    p.save();
    p.setPen(QPen(color, 4.5, Qt::SolidLine, Qt::RoundCap));
    const qreal step = 36.0 / (count - 1);
    for (int i = 0; i < count; ++i) {
        const qreal y = -18 + i * step;
        p.drawLine(QPointF(from, y), QPointF(to, y + drop));
    }
    p.restore();
}

void wavyLine(QPainter &p, qreal x, const QColor &color)
{
    QPainterPath wave;
    wave.moveTo(x, -26);
    wave.cubicTo(x + 8, -16, x - 8, -8, x, 0);
    wave.cubicTo(x + 8, 8, x - 8, 16, x, 26);
    strokePath(p, wave, color, 4, Qt::RoundCap, Qt::RoundJoin);
}

// Round symbol between two bracket arcs, as on brake and ABS lamps.
void bracketedCircle(QPainter &p, const QColor &color, const QString &text, int pixelSize)
{
    p.setPen(QPen(color, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 26, 26);
    p.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap));
    const QRectF outer(-38, -38, 76, 76);
    p.drawArc(outer, 135 * 16, 90 * 16);
    p.drawArc(outer, -45 * 16, 90 * 16);
    drawCentredText(p, QPointF(0, 0), text, latinFont(pixelSize, true), color);
}

QImage hazard()
{
    return lampPicture([](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(redLamp, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(regularPolygon(QPointF(0, 7), 40, 3, -90));
        p.setPen(QPen(redLamp, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(regularPolygon(QPointF(0, 7), 19, 3, -90));
    });
}

QImage turnSignals()
{
    return lampPicture([](QPainter &p) {
        for (int side : {-1, 1}) {
            QPainterPath shaft;
            shaft.moveTo(side * 8, 0);
            shaft.lineTo(side * 34, 0);
            drawArrow(p, shaft, QPointF(side * 62, 0), side < 0 ? 180 : 0, 14, 28, 40, greenLamp);
        }
    });
}

QImage battery()
{
    return lampPicture([](QPainter &p) {
        p.setPen(QPen(redLamp, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(-36, -16, 72, 42));
        p.fillRect(QRectF(-28, -27, 14, 9), redLamp);
        p.fillRect(QRectF(14, -27, 14, 9), redLamp);
        strokeLines(p, redLamp, 5, {QLineF(-28, 5, -12, 5), QLineF(12, 5, 28, 5), QLineF(20, -3, 20, 13)});
    });
}

QImage fuelPump()
{
    return lampPicture([](QPainter &p) {
        QPainterPath body;
        body.addRoundedRect(QRectF(-30, -34, 36, 60), 4, 4);
        QPainterPath window;
        window.addRect(QRectF(-23, -27, 22, 16));
        fillPath(p, body.subtracted(window), amberLamp);
        p.fillRect(QRectF(-36, 26, 48, 8), amberLamp);
        QPainterPath hose;
        hose.moveTo(6, -16);
        hose.lineTo(16, -16);
        hose.lineTo(16, 14);
        hose.quadTo(16, 20, 21, 20);
        hose.quadTo(26, 20, 26, 14);
        hose.lineTo(26, -18);
        hose.lineTo(18, -28);
        strokePath(p, hose, amberLamp, 4.5, Qt::RoundCap, Qt::RoundJoin);
    });
}

QImage seatBelt()
{
    return lampPicture([](QPainter &p) {
        // A driver seen from the side facing left, the belt crossing the chest.
        p.setPen(Qt::NoPen);
        p.setBrush(redLamp);
        p.drawEllipse(QPointF(6, -36), 9, 9);
        strokeLines(p, redLamp, 15, {QLineF(6, -18, 12, 10)});
        strokeLines(p, redLamp, 12, {QLineF(12, 12, -16, 14), QLineF(-18, 16, -22, 38)});
        strokeLines(p, redLamp, 6, {QLineF(-2, -14, -14, 2)});
        strokeLines(p, redLamp, 5, {QLineF(28, -36, 30, 20), QLineF(30, 22, 0, 26)});
        // The belt: a dark gap either side makes it read as a strap over the body.
        strokeLines(p, dashboard, 10, {QLineF(20, -20, -4, 14)});
        strokeLines(p, redLamp, 5, {QLineF(22, -22, -6, 16)});
    });
}

} // namespace

void addDashboardLamps(std::vector<Artwork> &out)
{
    addPicture(out, "lamp_high_beam", [] {
        return lampPicture([](QPainter &p) {
            headlamp(p, 0, true, blueLamp);
            beams(p, -10, -40, 0, 5, blueLamp);
        });
    });
    addPicture(out, "lamp_low_beam", [] {
        return lampPicture([](QPainter &p) {
            headlamp(p, 0, true, greenLamp);
            beams(p, -10, -38, 10, 5, greenLamp);
        });
    });
    addPicture(out, "lamp_front_fog", [] {
        return lampPicture([](QPainter &p) {
            headlamp(p, 6, true, greenLamp);
            beams(p, -4, -40, 0, 3, greenLamp);
            wavyLine(p, -22, greenLamp);
        });
    });
    addPicture(out, "lamp_rear_fog", [] {
        return lampPicture([](QPainter &p) {
            headlamp(p, -6, false, amberLamp);
            beams(p, 4, 40, 0, 3, amberLamp);
            wavyLine(p, 22, amberLamp);
        });
    });
    addPicture(out, "lamp_hazard", hazard);
    addPicture(out, "lamp_turn", turnSignals);
    addPicture(out, "lamp_parking_brake", [] {
        return lampPicture([](QPainter &p) { bracketedCircle(p, redLamp, QStringLiteral("P"), 30); });
    });
    addPicture(out, "lamp_brake_fault", [] {
        return lampPicture([](QPainter &p) { bracketedCircle(p, redLamp, QStringLiteral("!"), 32); });
    });
    addPicture(out, "lamp_abs", [] {
        return lampPicture([](QPainter &p) { bracketedCircle(p, amberLamp, QStringLiteral("ABS"), 16); });
    });
    addPicture(out, "lamp_battery", battery);
    addPicture(out, "lamp_fuel", fuelPump);
    addPicture(out, "lamp_seat_belt", seatBelt);
}

} // namespace artgen
