#include "IllustrationKit.h"

#include <QtMath>

namespace artgen {

void addPicture(std::vector<Artwork> &out, const char *name, std::function<QImage()> draw)
{
    out.push_back({QString::fromLatin1(name) + QStringLiteral(".jpg"), std::move(draw)});
}

QImage paintPicture(int width, int height, const QColor &ground,
                    const std::function<void(QPainter &)> &paint)
{
    QImage image = newCanvas(width, height, ground);
    QPainter p(&image);
    prepare(p);
    paint(p);
    return image;
}

void fillPath(QPainter &p, const QPainterPath &path, const QColor &color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

void strokePath(QPainter &p, const QPainterPath &path, const QColor &color, qreal width,
                Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    p.save();
    p.setPen(QPen(color, width, Qt::SolidLine, cap, join));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

QPainterPath arrowHead(QPointF tip, qreal degrees, qreal length, qreal width)
{
    const qreal a = qDegreesToRadians(degrees);
    const QPointF along(qCos(a), qSin(a));
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + across * (width / 2));
    head.lineTo(base - across * (width / 2));
    head.closeSubpath();
    return head;
}

void drawArrow(QPainter &p, const QPainterPath &shaft, QPointF tip, qreal degrees, qreal shaftWidth,
               qreal headLength, qreal headWidth, const QColor &color)
{
    strokePath(p, shaft, color, shaftWidth, Qt::FlatCap, Qt::RoundJoin);
    // The head reaches a pixel back over the shaft end so no seam shows between them.
    fillPath(p, arrowHead(tip, degrees, headLength + 1, headWidth), color);
}

void inSymbolBox(QPainter &p, QPointF c, qreal scale, const std::function<void()> &paint)
{
    p.save();
    p.translate(c);
    p.scale(scale, scale);
    paint();
    p.restore();
}

void drawTurnArrow(QPainter &p, bool left, const QColor &color, qreal sharpness)
{
    const qreal s = left ? 1 : -1;
    const qreal bend = 24 / sharpness;
    // Shifted so the arrow's ink, not its stem, is centred in the box.
    p.save();
    p.translate(s * 9, -4);
    QPainterPath shaft;
    shaft.moveTo(s * 16, 46);
    shaft.lineTo(s * 16, -4 + bend * 0.2);
    shaft.cubicTo(QPointF(s * 16, -16), QPointF(s * 16, -16), QPointF(s * (16 - bend), -16));
    shaft.lineTo(s * -8, -16);
    drawArrow(p, shaft, QPointF(s * -42, -16), left ? 180 : 0, 16, 34, 42, color);
    p.restore();
}

void drawStraightArrow(QPainter &p, const QColor &color)
{
    QPainterPath shaft;
    shaft.moveTo(0, 46);
    shaft.lineTo(0, -12);
    drawArrow(p, shaft, QPointF(0, -46), -90, 16, 34, 42, color);
}

void drawCentredText(QPainter &p, QPointF centre, const QString &text, const QFont &font,
                     const QColor &color)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    fillPath(p, path.translated(centre - ink.center()), color);
}

QImage signPicture(const std::function<void(QPainter &, QPointF centre)> &paint)
{
    return paintPicture(120, 120, sign::white, [&](QPainter &p) { paint(p, QPointF(60, 60)); });
}

namespace {

void hairlineDisc(QPainter &p, QPointF c, qreal r)
{
    p.save();
    p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.restore();
}

} // namespace

void paintProhibitionDisc(QPainter &p, QPointF c, const QColor &field)
{
    p.setPen(Qt::NoPen);
    p.setBrush(sign::red);
    p.drawEllipse(c, 56, 56);
    p.setBrush(field);
    p.drawEllipse(c, 45, 45);
}

void paintIndicationDisc(QPainter &p, QPointF c)
{
    hairlineDisc(p, c, 56.5);
    p.setPen(Qt::NoPen);
    p.setBrush(sign::blue);
    p.drawEllipse(c, 54, 54);
}

void paintProhibitionSlash(QPainter &p, QPointF c)
{
    // The slash runs from upper left to lower right, inside the ring.
    const qreal d = 45 * 0.7071;
    p.save();
    p.setClipPath([&] { QPainterPath disc; disc.addEllipse(c, 46, 46); return disc; }());
    p.setPen(QPen(sign::red, 10, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c + QPointF(-d - 2, -d - 2), c + QPointF(d + 2, d + 2));
    p.restore();
}

} // namespace artgen
