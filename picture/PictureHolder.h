#pragma once

#include <QImage>

namespace kemuyi {

// Where LoadPicture puts a decoded picture. On its own it only keeps the picture, which is all
// the decoder's checks need; a control derives from it to show the picture. A holder that sizes
// itself takes the size of every newly loaded picture, and clearing keeps the size, so an
// emptied control still covers its place.
class PictureHolder
{
public:
    virtual ~PictureHolder() = default;

    void setPicture(const QImage &picture);
    void clearPicture();
    const QImage &picture() const { return m_picture; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoSize() const { return m_autoSize; }

protected:
    // The control's part: taking a new picture's size (only when it sizes itself), and showing
    // whatever it holds now.
    virtual void resizeToPicture(const QSize &) {}
    virtual void pictureChanged() {}

private:
    QImage m_picture;
    bool m_autoSize = false;
};

} // namespace kemuyi
