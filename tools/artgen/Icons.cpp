// The application icon: a steering wheel with 科 on its hub, on a tile in the artwork's blue.
// The emblem is a list of plain paths, so the PNGs (painted by Qt) and the SVG (written here as
// text, Qt's SVG module not being part of the base packages) show exactly the same shapes.

#include "ArtGen.h"
#include "Painting.h"

#include "common/Failure.h"

#include <QSaveFile>

namespace artgen {

namespace {

using namespace palette;

constexpr int iconGrid = 128; // the emblem is laid out on a 128 × 128 grid

struct Shape
{
    QPainterPath path;
    QColor fill;   // invalid: not filled
    QColor stroke; // invalid: not stroked
    qreal strokeWidth = 0;
};

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath line(QPointF from, QPointF to)
{
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(to);
    return path;
}

// The character as outlines, centred on `centre`; outlines keep it identical in every format
// and independent of the fonts on the machine that shows the SVG.
QPainterPath glyph(const QString &text, int pixelSize, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, sansFont(pixelSize, true), text);
    if (path.isEmpty())
        throw kemuyi::Failure(QStringLiteral("无法取得“%1”的字形：缺少 Noto Sans CJK SC 字体").arg(text));
    return path.translated(centre - path.boundingRect().center());
}

std::vector<Shape> emblem()
{
    const QPointF centre(64, 64);
    const qreal ring = 41;
    const qreal rim = 9;
    std::vector<Shape> shapes;
    shapes.push_back({roundedRect(QRectF(6, 6, 116, 116), 24), deep, deepLow, 2});
    shapes.push_back({circle(centre, ring), {}, Qt::white, rim});
    // Spokes as on the splash's wheel: left, right and down, meeting under the hub.
    for (const QPointF &end : {QPointF(centre.x() - ring, centre.y() + 5),
                               QPointF(centre.x() + ring, centre.y() + 5),
                               QPointF(centre.x(), centre.y() + ring)})
        shapes.push_back({line(centre, end), {}, Qt::white, rim});
    shapes.push_back({circle(centre, 26), accent, ink, 2.5});
    shapes.push_back({glyph(QStringLiteral("科"), 34, centre), ink, {}, 0});
    return shapes;
}

QImage paintIcon(const std::vector<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    prepare(p);
    p.scale(qreal(size) / iconGrid, qreal(size) / iconGrid);
    for (const Shape &shape : shapes) {
        p.setPen(shape.stroke.isValid()
                     ? QPen(shape.stroke, shape.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                     : QPen(Qt::NoPen));
        p.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
        p.drawPath(shape.path);
    }
    return image;
}

QString svgNumber(qreal value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString svgPoint(qreal x, qreal y)
{
    return svgNumber(x) + QLatin1Char(' ') + svgNumber(y);
}

QString svgPathData(const QPainterPath &path)
{
    QStringList parts;
    QPointF subpathStart;
    QPointF last;
    auto closeIfReturned = [&] {
        if (!parts.isEmpty() && last == subpathStart)
            parts << QStringLiteral("Z");
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            closeIfReturned();
            parts << QLatin1Char('M') + svgPoint(e.x, e.y);
            subpathStart = last = e;
            break;
        case QPainterPath::LineToElement:
            parts << QLatin1Char('L') + svgPoint(e.x, e.y);
            last = e;
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QLatin1Char('C') + svgPoint(e.x, e.y) + QLatin1Char(' ')
                         + svgPoint(c2.x, c2.y) + QLatin1Char(' ') + svgPoint(end.x, end.y);
            last = end;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break; // consumed with its curve
        }
    }
    closeIfReturned();
    return parts.join(QLatin1Char(' '));
}

QString svgShape(const Shape &shape)
{
    QString element = QStringLiteral("  <path d=\"%1\"").arg(svgPathData(shape.path));
    element += shape.fill.isValid()
                   ? QStringLiteral(" fill=\"%1\" fill-rule=\"%2\"")
                         .arg(shape.fill.name(),
                              shape.path.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd")
                                                                      : QStringLiteral("nonzero"))
                   : QStringLiteral(" fill=\"none\"");
    if (shape.stroke.isValid())
        element += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\""
                                  " stroke-linejoin=\"round\"")
                       .arg(shape.stroke.name(), svgNumber(shape.strokeWidth));
    return element + QStringLiteral("/>\n");
}

QString svgDocument(const std::vector<Shape> &shapes)
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\""
                                 " viewBox=\"0 0 %1 %1\">\n"
                                 "  <title>科目一练习</title>\n")
                      .arg(iconGrid);
    for (const Shape &shape : shapes)
        svg += svgShape(shape);
    return svg + QStringLiteral("</svg>\n");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw kemuyi::Failure(QStringLiteral("无法写入 %1：%2").arg(path, file.errorString()));
}

void savePng(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG"))
        throw kemuyi::Failure(QStringLiteral("无法写入 %1").arg(path));
}

} // namespace

void writeIcons(const QString &folder)
{
    const std::vector<Shape> shapes = emblem();
    for (int size : {48, 128})
        savePng(paintIcon(shapes, size), folder + QStringLiteral("/kemuyi-%1.png").arg(size));
    writeFile(folder + QStringLiteral("/kemuyi.svg"), svgDocument(shapes).toUtf8());
}

} // namespace artgen
