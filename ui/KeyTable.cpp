#include "KeyTable.h"

#include "KeyCodes.h"

#include <QKeyEvent>

namespace kemuyi {

namespace {

enum Windows : unsigned { Menu = 4, Practice = 1, Exam = 2, Both = Practice | Exam };

struct KeyEntry
{
    int virtualKey;
    int letter; // a Qt::Key, or 0 for none
    KeyAction action;
    unsigned windows;
};

constexpr KeyEntry kKeyTable[] = {
    {VkNumpad7, Qt::Key_A, KeyAction::A, Both},
    {VkNumpad8, Qt::Key_B, KeyAction::B, Both},
    {VkNumpad9, Qt::Key_C, KeyAction::C, Both},
    {VkNumpad6, Qt::Key_D, KeyAction::D, Both},
    {VkNumpad4, Qt::Key_T, KeyAction::True, Both},
    {VkNumpad5, Qt::Key_F, KeyAction::False, Both},
    {VkAdd, Qt::Key_P, KeyAction::Prev, Both},
    {VkReturn, Qt::Key_N, KeyAction::Next, Both},
    {VkEscape, 0, KeyAction::Back, Both},
    {VkDecimal, Qt::Key_H, KeyAction::Hint, Practice},
    {VkMultiply, Qt::Key_M, KeyAction::MockExam, Practice},
    {VkSubtract, Qt::Key_G, KeyAction::GiveUp, Exam},
    {VkMultiply, Qt::Key_J, KeyAction::HandIn, Exam},
    {VkDivide, Qt::Key_K, KeyAction::Book, Exam},
    {VkNumpad0, 0, KeyAction::Back, Exam},
    {VkNone, Qt::Key_Q, KeyAction::Discard, Exam},
    {VkNone, Qt::Key_E, KeyAction::Explain, Both},
    {VkNone, Qt::Key_G, KeyAction::JumpTo, Practice},
    {VkNone, Qt::Key_S, KeyAction::Sequential, Practice},
    {VkNone, Qt::Key_R, KeyAction::Intensive, Practice},
    {VkNone, Qt::Key_Z, KeyAction::AutoAdvance, Practice},
    {VkNumpad0 + 1, Qt::Key_1, KeyAction::Category1, Menu},
    {VkNumpad0 + 2, Qt::Key_2, KeyAction::Category2, Menu},
    {VkNumpad0 + 3, Qt::Key_3, KeyAction::Category3, Menu},
    {VkNumpad0 + 4, Qt::Key_4, KeyAction::Category4, Menu},
    {VkNumpad0 + 5, Qt::Key_5, KeyAction::Category5, Menu},
    {VkEscape, 0, KeyAction::Back, Menu},
    {VkNone, Qt::Key_V, KeyAction::Read, Both},
    {VkNone, Qt::Key_Y, KeyAction::AutoRead, Both | Menu},
    {VkNone, Qt::Key_W, KeyAction::Size, Menu},
};

unsigned bitOf(KeyWindow window)
{
    switch (window) {
    case KeyWindow::Menu: return Menu;
    case KeyWindow::Practice: return Practice;
    case KeyWindow::Exam: return Exam;
    }
    return 0;
}

} // namespace

KeyAction keyActionForCode(int virtualKey, KeyWindow window)
{
    for (const KeyEntry &entry : kKeyTable) {
        if (virtualKey != VkNone && entry.virtualKey == virtualKey && (entry.windows & bitOf(window)))
            return entry.action;
    }
    return KeyAction::None;
}

KeyAction keyActionFor(const QKeyEvent &event, KeyWindow window)
{
    const int code = virtualKeyCode(event);
    if (code != VkNone)
        return keyActionForCode(code, window);
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier))
        return KeyAction::None;
    for (const KeyEntry &entry : kKeyTable) {
        if (entry.letter == event.key() && (entry.windows & bitOf(window)))
            return entry.action;
    }
    return KeyAction::None;
}

} // namespace kemuyi
