#include "Painting.h"

#include "picture/JpegCodec.h"

#include <QtMath>

namespace artgen {

namespace {

QFont fixedFont(const QString &family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Full hinting keeps strokes of small CJK captions on whole pixels, so they stay crisp.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

QFont sansFont(int pixelSize, bool bold)
{
    return fixedFont(QStringLiteral("Noto Sans CJK SC"), pixelSize, bold);
}

QFont serifFont(int pixelSize, bool bold)
{
    return fixedFont(QStringLiteral("Noto Serif CJK SC"), pixelSize, bold);
}

QFont latinFont(int pixelSize, bool bold)
{
    // The CJK sans carries well-drawn Latin digits; using it keeps one typeface throughout.
    return fixedFont(QStringLiteral("Noto Sans CJK SC"), pixelSize, bold);
}

namespace {
int g_renderScale = 1;
} // namespace

void setRenderScale(int scale)
{
    g_renderScale = scale;
}

int renderScale()
{
    return g_renderScale;
}

QImage newCanvas(int width, int height, const QColor &fill)
{
    QImage image(width * g_renderScale, height * g_renderScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(g_renderScale);
    image.fill(fill);
    return image;
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void drawText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
              const QColor &color, int flags)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, flags, text);
    painter.restore();
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath regularPolygon(QPointF centre, qreal radius, int sides, qreal startDegrees)
{
    QPainterPath path;
    for (int i = 0; i < sides; ++i) {
        const qreal angle = qDegreesToRadians(startDegrees + 360.0 * i / sides);
        const QPointF corner(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(corner);
        else
            path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

void saveJpeg(const QImage &image, const QString &path)
{
    kemuyi::encodeJpegFile(image, path, 92);
}

} // namespace artgen
