#pragma once

class QWidget;

namespace kemuyi {

// Frameless, fixed client size, button-face background, centred on its screen: the shape every
// window of the program shares.
void setUpFixedWindow(QWidget &window, int width, int height);
void centerOnScreen(QWidget &window);

} // namespace kemuyi
