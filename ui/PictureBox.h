#pragma once

#include "picture/PictureHolder.h"

#include <QWidget>

class QPainter;

namespace kemuyi {

// A plain picture control: draws its picture at natural size from the top-left corner (or
// centred), cropped to the control. An empty box lets whatever lies beneath show through.
class PictureBox : public QWidget, public PictureHolder
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setCentered(bool centered);
    bool isCentered() const { return m_centered; }

protected:
    void resizeToPicture(const QSize &size) override;
    qreal pictureScale() const override;
    void pictureChanged() override { update(); }
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_centered = false;
};

// Draws `picture` with its top-left corner at `origin`, `scale` times its size in the program's
// pixels: pixel for pixel when the picture is as sharp as the screen, smoothly scaled otherwise.
void drawScaledPicture(QPainter &painter, const QPoint &origin, const QImage &picture, qreal scale);

} // namespace kemuyi
