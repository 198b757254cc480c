#pragma once

#include <QSet>
#include <QString>

class QWidget;

namespace kemuyi {

class ImageButton;

// Loads hover and normal pictures from AppDir on every swap. A picture that fails to load must
// not raise a box at every pointer movement: the button keeps the picture it has, the failure is
// reported the first time for each file only, and the window works on.
class HoverPictures
{
public:
    void load(ImageButton &button, const QString &file);

    // The plain swaps of a window's own picture buttons: entering one shows its hover picture
    // (with `onlyEnabled`, only while it is enabled), leaving it shows its normal picture again.
    // Controls that are not the window's own buttons are left alone.
    void enter(const QWidget &window, QWidget *control, bool onlyEnabled = false);
    void leave(const QWidget &window, QWidget *control);

private:
    QSet<QString> m_reported;
};

} // namespace kemuyi
