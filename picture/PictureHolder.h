#pragma once

#include <QImage>
#include <QString>

namespace kemuyi {

// Where LoadPicture puts a decoded picture. On its own it only keeps the picture, which is all
// the decoder's checks need; a control derives from it to show the picture. A holder that sizes
// itself takes the size of every newly loaded picture, and clearing keeps the size, so an
// emptied control still covers its place.
class PictureHolder
{
public:
    virtual ~PictureHolder() = default;

    // `file` is where the picture came from, for loading it again at another scale; empty for
    // a picture that has no file.
    void setPicture(const QImage &picture, const QString &file = {});
    void clearPicture();
    const QImage &picture() const { return m_picture; }
    const QString &pictureFile() const { return m_file; }
    // The picture's size in the program's pixels: a double-resolution picture counts half.
    QSize pictureSize() const;

    // How many screen pixels the control gives each of the program's pixels (the learner's size
    // setting times the screen's own ratio). Above 1, LoadPicture takes the double-resolution
    // file when there is one.
    virtual qreal pictureScale() const { return 1; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoSize() const { return m_autoSize; }

protected:
    // The control's part: taking a new picture's size (only when it sizes itself), and showing
    // whatever it holds now.
    virtual void resizeToPicture(const QSize &) {}
    virtual void pictureChanged() {}

private:
    QImage m_picture;
    QString m_file;
    bool m_autoSize = false;
};

} // namespace kemuyi
