#include "ImageButton.h"

#include "InterfaceScale.h"
#include "PictureBox.h"

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
    return picture().isNull() ? size() : scaledRect(QRect(QPoint(), pictureSize()), appliedScale(*this)).size();
}

void ImageButton::resizeToPicture(const QSize &size)
{
    setDesignSize(*this, size);
}

qreal ImageButton::pictureScale() const
{
    return interfaceScale() * devicePixelRatioF();
}

void ImageButton::setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    setAccessibleDescription(marked ? QStringLiteral("已选") : QString());
    update();
}

QColor ImageButton::markColour()
{
    // Orange stands apart from the buttons' blues and greys and from their lighter hover form.
    return QColor(255, 140, 0);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    if (picture().isNull())
        return;
    QPainter painter(this);
    const qreal scale = appliedScale(*this);
    drawScaledPicture(painter, QPoint(0, 0), picture(), scale);
    if (m_marked) {
        const int band = qMax(1, qRound(kMarkWidth * scale));
        const QColor colour = markColour();
        painter.fillRect(0, 0, width(), band, colour);
        painter.fillRect(0, height() - band, width(), band, colour);
        painter.fillRect(0, 0, band, height(), colour);
        painter.fillRect(width() - band, 0, band, height(), colour);
    }
}

// A double click is one click followed by a double-click notification: the second press must
// not count as a second click (it would answer or step twice).
void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void markChoice(std::initializer_list<ImageButton *> buttonsByChoice, qint32 choice)
{
    qint32 code = 0;
    for (ImageButton *button : buttonsByChoice)
        button->setMarked(++code == choice);
}

} // namespace kemuyi
