#pragma once

#include "picture/PictureHolder.h"

#include <QWidget>

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
    void resizeToPicture(const QSize &size) override { resize(size); }
    void pictureChanged() override { update(); }
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_centered = false;
};

} // namespace kemuyi
