#pragma once

class QKeyEvent;

namespace kemuyi {

// The exam terminal's keys by their Windows virtual-key codes.
enum VirtualKey : int {
    VkNone = 0,
    VkReturn = 13,
    VkEscape = 27,
    VkNumpad0 = 96, // keypad 0..9 are 96..105
    VkNumpad4 = VkNumpad0 + 4,
    VkNumpad5 = VkNumpad0 + 5,
    VkNumpad6 = VkNumpad0 + 6,
    VkNumpad7 = VkNumpad0 + 7,
    VkNumpad8 = VkNumpad0 + 8,
    VkNumpad9 = VkNumpad0 + 9,
    VkMultiply = 106,
    VkAdd = 107,
    VkSubtract = 109,
    VkDecimal = 110,
    VkDivide = 111,
};

// Translates a Qt key event to that code. Keypad digits, plus and decimal point count only as
// keypad keys (Num Lock on); with Num Lock off the keypad sends navigation keys, which have no
// code here and so do nothing.
int virtualKeyCode(const QKeyEvent &event);

} // namespace kemuyi
