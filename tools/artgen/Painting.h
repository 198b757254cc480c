#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace artgen {

// One palette for every window, button and card, so the pieces sit together without seams.
namespace palette {
inline const QColor ink(0x1f, 0x3a, 0x4d);        // headers, dark text
inline const QColor inkSoft(0x4a, 0x62, 0x72);
inline const QColor deep(0x2b, 0x5a, 0x76);       // button face
inline const QColor deepLow(0x23, 0x4b, 0x63);
inline const QColor light(0x5d, 0x94, 0xb3);      // hovered button face
inline const QColor lightLow(0x4b, 0x82, 0xa2);
inline const QColor panel(0xd9, 0xe3, 0xe9);      // panels the controls stand on
inline const QColor panelEdge(0xb4, 0xc5, 0xd0);
inline const QColor body(0xee, 0xf2, 0xf4);       // quiet window ground
inline const QColor paper(0xfb, 0xfc, 0xfc);
inline const QColor accent(0xe8, 0xb0, 0x3c);     // road amber
inline const QColor accentPale(0xf7, 0xd9, 0x8f);
inline const QColor asphalt(0x6b, 0x70, 0x74);
inline const QColor right(0x2e, 0x9e, 0x5b);
inline const QColor wrong(0xd6, 0x3c, 0x35);
} // namespace palette

// Standard colours of Chinese road signs, markings and signals.
namespace sign {
inline const QColor red(0xd7, 0x1f, 0x26);
inline const QColor blue(0x00, 0x5b, 0xac);
inline const QColor yellow(0xf5, 0xc4, 0x00);
inline const QColor black(0x1a, 0x1a, 0x1a);
inline const QColor white(0xff, 0xff, 0xff);
inline const QColor green(0x00, 0xa6, 0x5a);
inline const QColor markingYellow(0xf2, 0xc2, 0x1b);
} // namespace sign

// Fonts are fixed families at explicit pixel sizes so every run draws the same pixels.
QFont sansFont(int pixelSize, bool bold = false);
QFont serifFont(int pixelSize, bool bold = false);
QFont latinFont(int pixelSize, bool bold = true);

// An opaque canvas filled with one colour. Its size is given in the program's pixels; at a render
// scale of 2 it holds twice as many in each direction, and painters on it draw in the program's
// pixels all the same (the canvas's device pixel ratio), so every drawing comes out sharp at both.
QImage newCanvas(int width, int height, const QColor &fill);
void setRenderScale(int scale);
int renderScale();

// A painter with antialiasing for shapes and text.
void prepare(QPainter &painter);

void drawText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
              const QColor &color, int flags = Qt::AlignCenter);

QPainterPath roundedRect(const QRectF &rect, qreal radius);
QPainterPath regularPolygon(QPointF centre, qreal radius, int sides, qreal startDegrees);

// Writes a JPEG and stops the run with a message if the file cannot be written.
void saveJpeg(const QImage &image, const QString &path);

} // namespace artgen
