#include "PictureHolder.h"

namespace kemuyi {

void PictureHolder::setPicture(const QImage &picture, const QString &file)
{
    m_picture = picture;
    m_file = file;
    if (m_autoSize && !m_picture.isNull())
        resizeToPicture(pictureSize());
    pictureChanged();
}

QSize PictureHolder::pictureSize() const
{
    return m_picture.deviceIndependentSize().toSize();
}

void PictureHolder::clearPicture()
{
    m_picture = QImage();
    m_file.clear();
    pictureChanged();
}

} // namespace kemuyi
