#include "ImageButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace kemuyi {

ImageButton::ImageButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoSize(true);
}

void ImageButton::setPictureFiles(const QString &normalFile, const QString &hoverFile)
{
    m_normalFile = normalFile;
    m_hoverFile = hoverFile;
}

QSize ImageButton::sizeHint() const
{
    return picture().isNull() ? size() : picture().size();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    if (picture().isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture());
}

// A double click is one click followed by a double-click notification: the second press must
// not count as a second click (it would answer or step twice).
void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

} // namespace kemuyi
