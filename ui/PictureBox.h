#pragma once

#include "picture/PictureHolder.h"

#include <QWidget>

namespace kemuyi {

// A plain picture control: draws its picture at natural size from the top-left corner (or
// centred), cropped to the control. An auto-sizing box takes the size of each new picture;
// clearing keeps the size and lets whatever lies beneath show through.
class PictureBox : public QWidget, public PictureHolder
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture) override;
    void clearPicture() override;
    QImage picture() const override { return m_picture; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    void setCentered(bool centered);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    bool m_autoSize = false;
    bool m_centered = false;
};

} // namespace kemuyi
