#pragma once

class QString;
class QWidget;

namespace kemuyi {

class PictureHolder;

// Frameless, fixed client size, button-face background, centred on its screen: the shape every
// window of the program shares.
void setUpFixedWindow(QWidget &window, int width, int height);
void centerOnScreen(QWidget &window);

// Gives the keyboard back to `window` after a window over it closed. Without a window manager
// nobody else does, and keys would go nowhere until a click.
void returnKeyboardTo(QWidget &window);

// Key preview: a key pressed in any of the window's present controls goes to the window itself,
// whichever control has the focus, and no further.
void previewKeys(QWidget &window);

// Loads the window's background and every picture button's normal picture from the program's
// folder. Every file is tried, so one missing file leaves only its own control bare; the failures
// are thrown together afterwards.
void loadWindowPictures(QWidget &window, PictureHolder &background, const QString &backgroundFile);

} // namespace kemuyi
