#pragma once

#include <QImage>

namespace kemuyi {

// What LoadPicture needs of a control: somewhere to put a decoded picture, and a way to empty it.
class PictureHolder
{
public:
    virtual ~PictureHolder() = default;
    virtual void setPicture(const QImage &picture) = 0;
    virtual void clearPicture() = 0;
    virtual QImage picture() const = 0;
};

} // namespace kemuyi
