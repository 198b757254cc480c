// The splash and the two window backgrounds. Control positions here mirror the window layouts:
// dark ground where white labels stand, panel colour where buttons stand, quiet elsewhere.

#include "Backgrounds.h"

#include "Painting.h"

namespace artgen {

namespace {

using namespace palette;

// A road seen from the driver's seat, narrowing to `vanish`; dashes shrink with distance.
void paintPerspectiveRoad(QPainter &p, QPointF vanish, qreal bottomY, qreal halfWidth,
                          const QColor &road, const QColor &edge, const QColor &dash)
{
    const qreal cx = vanish.x();
    QPainterPath surface;
    surface.moveTo(cx - 2, vanish.y());
    surface.lineTo(cx + 2, vanish.y());
    surface.lineTo(cx + halfWidth, bottomY);
    surface.lineTo(cx - halfWidth, bottomY);
    surface.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(road);
    p.drawPath(surface);

    const qreal depth = bottomY - vanish.y();
    p.setPen(QPen(edge, 1.6));
    const qreal inset = halfWidth * 0.9;
    p.drawLine(QPointF(cx - 1.5, vanish.y() + 1), QPointF(cx - inset, bottomY));
    p.drawLine(QPointF(cx + 1.5, vanish.y() + 1), QPointF(cx + inset, bottomY));

    // Dashes placed at geometric steps so they read as evenly spaced on a flat road.
    p.setPen(Qt::NoPen);
    p.setBrush(dash);
    for (qreal t = 0.08; t < 1.0; t *= 1.55) {
        const qreal y0 = vanish.y() + depth * t;
        const qreal y1 = vanish.y() + depth * qMin(1.0, t * 1.28);
        const qreal w0 = halfWidth * t * 0.045;
        const qreal w1 = halfWidth * qMin(1.0, t * 1.28) * 0.045;
        QPainterPath piece;
        piece.moveTo(cx - w0, y0);
        piece.lineTo(cx + w0, y0);
        piece.lineTo(cx + w1, y1);
        piece.lineTo(cx - w1, y1);
        piece.closeSubpath();
        p.drawPath(piece);
    }
}

void paintHills(QPainter &p, qreal horizon, qreal width)
{
    QPainterPath far;
    far.moveTo(0, horizon);
    far.cubicTo(60, horizon - 34, 120, horizon - 20, 170, horizon - 12);
    far.cubicTo(230, horizon - 30, 300, horizon - 40, 360, horizon - 18);
    far.cubicTo(390, horizon - 10, 420, horizon - 16, width, horizon - 22);
    far.lineTo(width, horizon);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xae, 0xc4, 0xd1));
    p.drawPath(far);

    QPainterPath near;
    near.moveTo(0, horizon);
    near.cubicTo(40, horizon - 14, 110, horizon - 16, 160, horizon - 4);
    near.lineTo(280, horizon - 4);
    near.cubicTo(330, horizon - 18, 400, horizon - 12, width, horizon - 6);
    near.lineTo(width, horizon);
    near.closeSubpath();
    p.setBrush(QColor(0x93, 0xb0, 0xc0));
    p.drawPath(near);
}

void paintSteeringWheel(QPainter &p, QPointF centre, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(centre, radius + 5, radius + 5);
    p.setPen(QPen(Qt::white, radius * 0.16));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.86, radius * 0.86);
    p.setPen(QPen(Qt::white, radius * 0.13, Qt::SolidLine, Qt::FlatCap));
    const qreal r = radius * 0.8;
    p.drawLine(centre, centre + QPointF(-r, r * 0.12));
    p.drawLine(centre, centre + QPointF(r, r * 0.12));
    p.drawLine(centre, centre + QPointF(0, r));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(centre, radius * 0.24, radius * 0.24);
}

} // namespace

QImage drawLogo()
{
    QImage image = newCanvas(440, 300, ink);
    QPainter p(&image);
    prepare(p);
    const qreal cx = 216;       // centre of the visible 432 × 293
    const qreal horizon = 142;
    const qreal band = 198;

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0.0, QColor(0xbc, 0xd6, 0xe5));
    sky.setColorAt(1.0, QColor(0xf3, 0xec, 0xdb));
    p.fillRect(QRectF(0, 0, 440, horizon), sky);
    paintHills(p, horizon, 440);

    QLinearGradient land(0, horizon, 0, band);
    land.setColorAt(0.0, QColor(0xc9, 0xd6, 0xc3));
    land.setColorAt(1.0, QColor(0xa9, 0xbd, 0xa6));
    p.fillRect(QRectF(0, horizon, 440, band - horizon), land);
    paintPerspectiveRoad(p, QPointF(cx, horizon - 2), band, 170, QColor(0x74, 0x7b, 0x80),
                         QColor(255, 255, 255, 220), accent);

    p.fillRect(QRectF(0, band, 440, 300 - band), ink);
    p.fillRect(QRectF(0, band, 440, 2), accent);
    paintSteeringWheel(p, QPointF(cx, band), 27);

    drawText(p, QRectF(0, 234, 432, 32), QStringLiteral("机动车驾驶人科目一考试题库"),
             serifFont(24, true), Qt::white);
    QFont small = latinFont(12, false);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    drawText(p, QRectF(0, 268, 432, 18), QStringLiteral("kemuyi"), small, accentPale);
    return image;
}

QImage drawMenuBackground()
{
    QImage image = newCanvas(690, 450, body);
    QPainter p(&image);
    prepare(p);

    // Header: dark behind the two white title labels (40..300, 24..85).
    QLinearGradient header(0, 0, 690, 0);
    header.setColorAt(0.0, ink);
    header.setColorAt(1.0, QColor(0x27, 0x4c, 0x62));
    p.fillRect(QRectF(0, 0, 690, 90), header);
    p.save();
    p.setClipRect(QRectF(330, 0, 360, 90));
    paintPerspectiveRoad(p, QPointF(590, 16), 90, 150, QColor(0x31, 0x5a, 0x72),
                         QColor(255, 255, 255, 60), QColor(0xe8, 0xb0, 0x3c, 150));
    p.restore();
    p.fillRect(QRectF(0, 90, 690, 2), accent);

    // A quiet road along the bottom, under the introduction card.
    p.fillRect(QRectF(0, 410, 690, 30), QColor(0xd2, 0xda, 0xdf));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(0, 411.5), QPointF(690, 411.5));
    p.drawLine(QPointF(0, 438.5), QPointF(690, 438.5));
    p.setPen(QPen(Qt::white, 2.5, Qt::CustomDashLine, Qt::FlatCap));
    QPen dashes = p.pen();
    dashes.setDashPattern({8, 6});
    p.setPen(dashes);
    p.drawLine(QPointF(4, 425), QPointF(690, 425));

    // Introduction card framing the text box at (40, 112) 417 × 273.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x3a, 0x4d, 28));
    p.drawPath(roundedRect(QRectF(32, 106, 437, 293), 8));
    p.setPen(QPen(panelEdge, 1.0));
    p.setBrush(paper);
    p.drawPath(roundedRect(QRectF(30.5, 102.5, 436, 292), 8));
    p.fillRect(QRectF(40, 104, 120, 3), accent);
    p.setPen(QPen(panelEdge, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(39.5, 111.5, 418, 274));

    // Button column: six buttons at x 500, 153 wide, tops 104 to 395.
    p.setPen(QPen(panelEdge, 1.0));
    p.setBrush(panel);
    p.drawPath(roundedRect(QRectF(488.5, 96.5, 176, 348), 8));
    return image;
}

QImage drawPracticeBackground()
{
    QImage image = newCanvas(690, 450, body);
    QPainter p(&image);
    prepare(p);

    // Control areas in panel colour: the answer row along the top and the side column.
    p.fillRect(QRectF(0, 0, 690, 90), panel);
    p.fillRect(QRectF(0, 90, 138, 360), panel);
    p.fillRect(QRectF(0, 0, 690, 28), ink);
    p.fillRect(QRectF(0, 28, 690, 2), accent);
    QPen dashes(QColor(0xe8, 0xb0, 0x3c, 120), 2.0, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({6, 5});
    p.setPen(dashes);
    p.drawLine(QPointF(6, 14), QPointF(690, 14));

    p.setPen(QPen(panelEdge, 1.0));
    p.drawLine(QPointF(138, 90.5), QPointF(690, 90.5));
    p.drawLine(QPointF(138.5, 91), QPointF(138.5, 450));

    // Hairline frames for the question text (144, 96) 529 × 297 and the status line.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(143.5, 95.5, 530, 298));
    p.drawRect(QRectF(143.5, 411.5, 530, 30));

    return image;
}

} // namespace artgen
