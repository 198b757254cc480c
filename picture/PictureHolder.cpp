#include "PictureHolder.h"

namespace kemuyi {

void PictureHolder::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resizeToPicture(m_picture.size());
    pictureChanged();
}

void PictureHolder::clearPicture()
{
    m_picture = QImage();
    pictureChanged();
}

} // namespace kemuyi
