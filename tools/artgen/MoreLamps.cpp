// More dashboard lamps, each on a 120 × 120 black panel so it fits beside four options: red
// for faults that need a stop, amber for warnings, green for lamps that are switched on.

#include "IllustrationKit.h"

#include <QtMath>

namespace artgen {

namespace {

const QColor dashboard(0x0c, 0x0d, 0x0f);
const QColor greenLamp(0x2e, 0xd1, 0x5a);
const QColor amberLamp(0xff, 0xa8, 0x00);
const QColor redLamp(0xff, 0x33, 0x2b);

// Symbols are drawn round the origin within about ±42.
QImage panel(const std::function<void(QPainter &)> &symbol)
{
    return paintPicture(120, 120, dashboard, [&](QPainter &p) {
        p.translate(60, 60);
        symbol(p);
    });
}

QPen line(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void stroke(QPainter &p, const QPainterPath &path, const QColor &color, qreal width)
{
    strokePath(p, path, color, width, Qt::RoundCap, Qt::RoundJoin);
}

void wave(QPainterPath &path, qreal x0, qreal x1, qreal y, qreal amplitude = 3.5)
{
    path.moveTo(x0, y);
    const qreal step = (x1 - x0) / 4;
    for (int i = 0; i < 4; ++i) {
        const qreal a = x0 + i * step;
        path.quadTo(a + step / 2, y + (i % 2 ? amplitude : -amplitude), a + step, y);
    }
}

void exclamation(QPainter &p, QPointF c, qreal height, const QColor &color)
{
    p.setPen(line(color, height * 0.2));
    p.drawLine(c + QPointF(0, -height / 2), c + QPointF(0, height * 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c + QPointF(0, height * 0.45), height * 0.11, height * 0.11);
}

QImage coolant()
{
    return panel([](QPainter &p) {
        const QColor c = redLamp;
        QPainterPath stem;
        stem.moveTo(0, 8);
        stem.lineTo(0, -34);
        stroke(p, stem, c, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(0, 12), 8, 8);
        p.setPen(line(c, 4));
        for (qreal y : {-30.0, -20.0, -10.0})
            p.drawLine(QPointF(6, y), QPointF(18, y));
        QPainterPath waves;
        wave(waves, -36, -10, 26);
        wave(waves, 10, 36, 26);
        wave(waves, -36, 36, 37);
        stroke(p, waves, c, 4);
    });
}

QImage oilPressure()
{
    return panel([](QPainter &p) {
        const QColor c = redLamp;
        // An oil can: body, handle at the back, spout at the front, a drop falling from it.
        QPainterPath can;
        can.moveTo(-30, -4);
        can.lineTo(-30, 14);
        can.lineTo(14, 14);
        can.lineTo(30, -6);
        can.lineTo(8, -4);
        can.lineTo(0, -12);
        can.lineTo(-18, -12);
        can.lineTo(-22, -4);
        can.closeSubpath();
        stroke(p, can, c, 5);
        QPainterPath handle;
        handle.moveTo(-30, 0);
        handle.lineTo(-42, -8);
        handle.lineTo(-42, 4);
        handle.lineTo(-30, 10);
        stroke(p, handle, c, 4.5);
        stroke(p, [] { QPainterPath s; s.moveTo(30, -6); s.lineTo(40, -10); return s; }(), c, 4.5);
        p.fillRect(QRectF(-14, -18, 8, 6), c);
        QPainterPath drop;
        drop.moveTo(38, 0);
        drop.cubicTo(42, 8, 44, 12, 38, 14);
        drop.cubicTo(32, 12, 34, 8, 38, 0);
        fillPath(p, drop, c);
    });
}

QImage engine()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        QPainterPath block;
        block.moveTo(-24, -14);
        block.lineTo(20, -14);
        block.lineTo(26, -8);
        block.lineTo(34, -8);
        block.lineTo(34, -14);
        block.lineTo(40, -14);
        block.lineTo(40, 16);
        block.lineTo(34, 16);
        block.lineTo(34, 10);
        block.lineTo(26, 10);
        block.lineTo(18, 22);
        block.lineTo(-16, 22);
        block.lineTo(-24, 12);
        block.lineTo(-32, 12);
        block.lineTo(-32, 20);
        block.lineTo(-40, 20);
        block.lineTo(-40, -6);
        block.lineTo(-32, -6);
        block.lineTo(-32, 2);
        block.lineTo(-24, 2);
        block.closeSubpath();
        stroke(p, block, c, 5);
        p.setPen(line(c, 5));
        p.drawLine(QPointF(-6, -14), QPointF(-6, -24));
        p.drawLine(QPointF(-18, -26), QPointF(6, -26));
    });
}

QImage airbag()
{
    return panel([](QPainter &p) {
        const QColor c = redLamp;
        // A seated passenger facing left and the inflated bag in front of the chest.
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(8, -30), 8, 8);
        p.setPen(line(c, 12));
        p.drawLine(QPointF(12, -14), QPointF(16, 12));
        p.drawLine(QPointF(16, 14), QPointF(-6, 16));
        p.setPen(line(c, 9));
        p.drawLine(QPointF(-8, 18), QPointF(-10, 38));
        p.setPen(line(c, 5));
        p.drawLine(QPointF(32, -30), QPointF(34, 26));
        p.drawLine(QPointF(34, 28), QPointF(6, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(-20, -8), 15, 15);
    });
}

QImage doorOpen()
{
    return panel([](QPainter &p) {
        const QColor c = redLamp;
        // A car from above, nose up, both front doors swung open.
        QPainterPath shell;
        shell.addRoundedRect(QRectF(-16, -40, 32, 80), 10, 10);
        stroke(p, shell, c, 4.5);
        p.setPen(line(c, 4));
        p.drawLine(QPointF(-10, -16), QPointF(10, -16));
        p.drawLine(QPointF(-10, 24), QPointF(10, 24));
        p.setPen(line(c, 5));
        p.drawLine(QPointF(-16, -10), QPointF(-36, 8));
        p.drawLine(QPointF(16, -10), QPointF(36, 8));
    });
}

QImage tyrePressure()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        // A tyre in cross-section, flattened at the bottom, with its tread marks.
        QPainterPath tyre;
        tyre.moveTo(-30, -30);
        tyre.cubicTo(-44, -12, -44, 16, -30, 30);
        tyre.lineTo(30, 30);
        tyre.cubicTo(44, 16, 44, -12, 30, -30);
        stroke(p, tyre, c, 5);
        p.setPen(line(c, 4));
        for (qreal x : {-22.0, -11.0, 0.0, 11.0, 22.0})
            p.drawLine(QPointF(x, 30), QPointF(x, 38));
        exclamation(p, QPointF(0, -2), 34, c);
    });
}

QImage stability()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        // A car from behind with two swerving tracks under it.
        QPainterPath body;
        body.moveTo(-26, -8);
        body.lineTo(-20, -28);
        body.lineTo(20, -28);
        body.lineTo(26, -8);
        body.lineTo(30, -6);
        body.lineTo(30, 6);
        body.lineTo(-30, 6);
        body.lineTo(-30, -6);
        body.closeSubpath();
        stroke(p, body, c, 4.5);
        p.fillRect(QRectF(-28, 6, 10, 8), c);
        p.fillRect(QRectF(18, 6, 10, 8), c);
        for (qreal x : {-20.0, 14.0}) {
            QPainterPath track;
            track.moveTo(x + 2, 20);
            track.cubicTo(x + 12, 26, x - 8, 32, x + 2, 38);
            track.cubicTo(x + 8, 41, x + 10, 44, x + 6, 46);
            stroke(p, track, c, 4);
        }
    });
}

QImage glowPlug()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        // A heating coil: a row of loops.
        QPainterPath coil;
        coil.moveTo(-40, 4);
        for (int i = 0; i < 4; ++i) {
            const qreal x = -30 + i * 18;
            coil.cubicTo(x + 12, 4, x + 12, -22, x + 4, -22);
            coil.cubicTo(x - 4, -22, x - 4, 4, x + 8, 4);
        }
        coil.lineTo(40, 4);
        stroke(p, coil, c, 4.5);
        p.setPen(line(c, 4.5));
        p.drawLine(QPointF(-40, 4), QPointF(-40, 20));
        p.drawLine(QPointF(40, 4), QPointF(40, 20));
    });
}

QImage washerFluid()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        // A windscreen with a jet of water rising from the nozzle below it.
        QPainterPath screen;
        screen.moveTo(-38, 18);
        screen.quadTo(0, 4, 38, 18);
        screen.lineTo(32, -24);
        screen.quadTo(0, -32, -32, -24);
        screen.closeSubpath();
        stroke(p, screen, c, 4.5);
        QPen dots = line(c, 3.5);
        dots.setStyle(Qt::CustomDashLine);
        dots.setDashPattern({0.5, 2});
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        QPainterPath jet;
        jet.moveTo(0, 26);
        jet.cubicTo(-4, 0, -16, -10, -22, -12);
        jet.moveTo(0, 26);
        jet.cubicTo(4, 0, 16, -10, 22, -12);
        p.drawPath(jet);
        p.fillRect(QRectF(-6, 26, 12, 8), c);
    });
}

QImage positionLamps()
{
    return panel([](QPainter &p) {
        const QColor c = greenLamp;
        // Two small lamps back to back, each shining outwards.
        for (qreal side : {-1.0, 1.0}) {
            QPainterPath lamp;
            lamp.moveTo(side * 6, -14);
            lamp.cubicTo(side * 22, -14, side * 22, 14, side * 6, 14);
            lamp.closeSubpath();
            stroke(p, lamp, c, 4.5);
            p.setPen(line(c, 4));
            for (qreal y : {-14.0, 0.0, 14.0})
                p.drawLine(QPointF(side * 26, y * 1.1), QPointF(side * 40, y * 1.5));
        }
    });
}

QImage brakePads()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        p.setPen(line(c, 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), 24, 24);
        QPen dashed(c, 5, Qt::CustomDashLine, Qt::FlatCap);
        dashed.setDashPattern({1.6, 1.2});
        p.setPen(dashed);
        const QRectF outer(-36, -36, 72, 72);
        p.drawArc(outer, 130 * 16, 100 * 16);
        p.drawArc(outer, -50 * 16, 100 * 16);
    });
}

QImage powerSteering()
{
    return panel([](QPainter &p) {
        const QColor c = redLamp;
        p.setPen(line(c, 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(-8, 0), 28, 28);
        p.drawEllipse(QPointF(-8, 0), 7, 7);
        p.drawLine(QPointF(-35, -2), QPointF(-15, -1));
        p.drawLine(QPointF(19, -2), QPointF(-1, -1));
        p.drawLine(QPointF(-8, 7), QPointF(-8, 27));
        exclamation(p, QPointF(36, -2), 34, c);
    });
}

void risingWaves(QPainter &p, const QColor &c, qreal top, qreal bottom)
{
    for (qreal x : {-14.0, 0.0, 14.0}) {
        QPainterPath w;
        w.moveTo(x, bottom);
        w.cubicTo(x + 6, bottom - 8, x - 6, bottom - 14, x, top + 8);
        stroke(p, w, c, 3.5);
        fillPath(p, arrowHead(QPointF(x, top), -90, 8, 9), c);
    }
}

QImage rearDefrost()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        QPainterPath window;
        window.addRoundedRect(QRectF(-36, -26, 72, 48), 8, 8);
        stroke(p, window, c, 4.5);
        risingWaves(p, c, -18, 16);
    });
}

QImage frontDefrost()
{
    return panel([](QPainter &p) {
        const QColor c = amberLamp;
        QPainterPath screen;
        screen.moveTo(-38, 22);
        screen.quadTo(0, 12, 38, 22);
        screen.lineTo(30, -24);
        screen.quadTo(0, -32, -30, -24);
        screen.closeSubpath();
        stroke(p, screen, c, 4.5);
        risingWaves(p, c, -18, 14);
    });
}

} // namespace

void addMoreDashboardLamps(std::vector<Artwork> &out)
{
    addPicture(out, "lamp_coolant_temp", coolant);
    addPicture(out, "lamp_oil_pressure", oilPressure);
    addPicture(out, "lamp_engine", engine);
    addPicture(out, "lamp_airbag", airbag);
    addPicture(out, "lamp_door_open", doorOpen);
    addPicture(out, "lamp_tyre_pressure", tyrePressure);
    addPicture(out, "lamp_stability", stability);
    addPicture(out, "lamp_glow_plug", glowPlug);
    addPicture(out, "lamp_washer_fluid", washerFluid);
    addPicture(out, "lamp_position", positionLamps);
    addPicture(out, "lamp_brake_pads", brakePads);
    addPicture(out, "lamp_power_steering", powerSteering);
    addPicture(out, "lamp_rear_defrost", rearDefrost);
    addPicture(out, "lamp_front_defrost", frontDefrost);
}

} // namespace artgen
