#pragma once

#include "picture/PictureHolder.h"

#include <QAbstractButton>

namespace kemuyi {

// A picture used as a button. It paints its own picture, unchanged when disabled (Qt would grey
// it), never takes keyboard focus (keys belong to the window), and shows the hand cursor.
// An auto-sizing button takes the size of every newly loaded picture; clearing keeps the size.
class ImageButton : public QAbstractButton, public PictureHolder
{
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    void setPicture(const QImage &picture) override;
    void clearPicture() override;
    QImage picture() const override { return m_picture; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoSize() const { return m_autoSize; }

    // The files of the normal and the hover picture, relative to AppDir.
    void setPictureFiles(const QString &normalFile, const QString &hoverFile);
    const QString &normalFile() const { return m_normalFile; }
    const QString &hoverFile() const { return m_hoverFile; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QString m_normalFile;
    QString m_hoverFile;
    bool m_autoSize = true;
};

} // namespace kemuyi
