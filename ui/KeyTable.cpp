#include "KeyTable.h"

#include "KeyCodes.h"

#include <QKeyEvent>

namespace kemuyi {

namespace {

enum Windows : unsigned { Menu = 4, Practice = 1, Exam = 2, Both = Practice | Exam, Study = 8 };

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
    {VkNone, Qt::Key_L, KeyAction::StudyCentre, Practice},
    {VkNone, Qt::Key_X, KeyAction::Favourite, Practice},
    {VkNone, Qt::Key_U, KeyAction::Continue, Practice},
    {VkEscape, 0, KeyAction::Back, Study},
    {VkNumpad0, 0, KeyAction::Back, Study},
    {VkReturn, 0, KeyAction::Open, Study},
    {VkNone, Qt::Key_Delete, KeyAction::Remove, Study},
    {VkNumpad0 + 1, Qt::Key_1, KeyAction::Page1, Study},
    {VkNumpad0 + 2, Qt::Key_2, KeyAction::Page2, Study},
    {VkNumpad0 + 3, Qt::Key_3, KeyAction::Page3, Study},
    {VkNumpad0 + 4, Qt::Key_4, KeyAction::Page4, Study},
    {VkNumpad0 + 5, Qt::Key_5, KeyAction::Page5, Study},
    {VkNumpad0 + 6, Qt::Key_6, KeyAction::Page6, Study},
    {VkNumpad0 + 7, Qt::Key_7, KeyAction::Page7, Study},
    {VkNumpad0 + 8, Qt::Key_8, KeyAction::Page8, Study},
    {VkNumpad0 + 9, Qt::Key_9, KeyAction::Page9, Study},
};

unsigned bitOf(KeyWindow window)
{
    switch (window) {
    case KeyWindow::Menu: return Menu;
    case KeyWindow::Practice: return Practice;
    case KeyWindow::Exam: return Exam;
    case KeyWindow::Study: return Study;
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
