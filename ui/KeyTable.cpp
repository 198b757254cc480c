#include "KeyTable.h"

#include "KeyCodes.h"

#include <QKeyEvent>

namespace kemuyi {

namespace {

enum Windows : unsigned { Practice = 1, Exam = 2, Both = Practice | Exam, Menu = 4 };

// Letters that have no key on the exam keyboard.
constexpr int kNoVirtualKey = -1;

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
    {kNoVirtualKey, Qt::Key_Q, KeyAction::Discard, Exam},
    {kNoVirtualKey, Qt::Key_V, KeyAction::Read, Both},
    {kNoVirtualKey, Qt::Key_Y, KeyAction::AutoRead, Both | Menu},
    {kNoVirtualKey, Qt::Key_W, KeyAction::Size, Menu},
};

unsigned bitOf(KeyWindow window)
{
    switch (window) {
    case KeyWindow::Practice: return Practice;
    case KeyWindow::Exam: return Exam;
    case KeyWindow::Menu: return Menu;
    }
    return 0;
}

} // namespace

KeyAction keyActionForCode(int virtualKey, KeyWindow window)
{
    for (const KeyEntry &entry : kKeyTable) {
        if (entry.virtualKey == virtualKey && (entry.windows & bitOf(window)))
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
