#include "PictureBox.h"

#include <QPainter>

namespace kemuyi {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    update();
}

void PictureBox::clearPicture()
{
    m_picture = QImage();
    update();
}

void PictureBox::setCentered(bool centered)
{
    m_centered = centered;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    QPoint origin(0, 0);
    if (m_centered)
        origin = QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
    painter.drawImage(origin, m_picture);
}

} // namespace kemuyi
