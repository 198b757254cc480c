#pragma once

class QWidget;

namespace kemuyi {

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

} // namespace kemuyi
