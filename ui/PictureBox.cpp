#include "PictureBox.h"

#include "InterfaceScale.h"

#include <QPainter>

namespace kemuyi {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setCentered(bool centered)
{
    m_centered = centered;
    update();
}

void PictureBox::resizeToPicture(const QSize &size)
{
    setDesignSize(*this, size);
}

qreal PictureBox::pictureScale() const
{
    return interfaceScale() * devicePixelRatioF();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const QImage &shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    const qreal scale = appliedScale(*this);
    QPoint origin(0, 0);
    if (m_centered) {
        const QSize drawn = scaledRect(QRect(QPoint(), pictureSize()), scale).size();
        origin = QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2);
    }
    drawScaledPicture(painter, origin, shown, scale);
}

void drawScaledPicture(QPainter &painter, const QPoint &origin, const QImage &picture, qreal scale)
{
    const QSize logical = picture.deviceIndependentSize().toSize();
    if (scale == 1) {
        painter.drawImage(origin, picture);
        return;
    }
    // Never in blocks: a picture without a sharper form is enlarged smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(origin, scaledRect(QRect(QPoint(), logical), scale).size()), picture);
}

} // namespace kemuyi
