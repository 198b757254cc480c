#pragma once

#include <QSet>
#include <QString>

namespace kemuyi {

class ImageButton;

// Loads hover and normal pictures from AppDir on every swap. A picture that fails to load must
// not raise a box at every pointer movement: the button keeps the picture it has, the failure is
// reported the first time for each file only, and the window works on.
class HoverPictures
{
public:
    void load(ImageButton &button, const QString &file);

private:
    QSet<QString> m_reported;
};

} // namespace kemuyi
