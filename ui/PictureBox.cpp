#include "PictureBox.h"

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

void PictureBox::paintEvent(QPaintEvent *)
{
    const QImage &shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    QPoint origin(0, 0);
    if (m_centered)
        origin = QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.drawImage(origin, shown);
}

} // namespace kemuyi
