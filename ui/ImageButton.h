#pragma once

#include "picture/PictureHolder.h"

#include <QAbstractButton>

namespace kemuyi {

// A picture used as a button. It paints its own picture, unchanged when disabled (Qt would grey
// it), never takes keyboard focus (keys belong to the window), and shows the hand cursor. It
// sizes itself to its pictures unless told otherwise.
class ImageButton : public QAbstractButton, public PictureHolder
{
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    // The files of the normal and the hover picture, relative to AppDir.
    void setPictureFiles(const QString &normalFile, const QString &hoverFile);
    const QString &normalFile() const { return m_normalFile; }
    const QString &hoverFile() const { return m_hoverFile; }

    QSize sizeHint() const override;

protected:
    void resizeToPicture(const QSize &size) override { resize(size); }
    void pictureChanged() override { update(); }
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_normalFile;
    QString m_hoverFile;
};

} // namespace kemuyi
