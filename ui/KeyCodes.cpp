#include "KeyCodes.h"

#include <QKeyEvent>

namespace kemuyi {

int virtualKeyCode(const QKeyEvent &event)
{
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return VkReturn;
    if (key == Qt::Key_Escape)
        return VkEscape;
    if (!event.modifiers().testFlag(Qt::KeypadModifier))
        return VkNone;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return VkNumpad0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk:
        return VkMultiply;
    case Qt::Key_Plus:
        return VkAdd;
    case Qt::Key_Minus:
        return VkSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: // the keypad's decimal key under locales that use a comma
        return VkDecimal;
    case Qt::Key_Slash:
        return VkDivide;
    default:
        return VkNone;
    }
}

} // namespace kemuyi
