#include "ExamKeys.h"

#include "ui/KeyCodes.h"

#include <QKeyEvent>

namespace kemuyi {

ExamKey letterKeyFor(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier))
        return ExamKey::None;
    switch (event.key()) {
    case Qt::Key_A: return ExamKey::A;
    case Qt::Key_B: return ExamKey::B;
    case Qt::Key_C: return ExamKey::C;
    case Qt::Key_D: return ExamKey::D;
    case Qt::Key_T: return ExamKey::True;
    case Qt::Key_F: return ExamKey::False;
    case Qt::Key_P: return ExamKey::Prev;
    case Qt::Key_N: return ExamKey::Next;
    case Qt::Key_H: return ExamKey::Hint;
    case Qt::Key_G: return ExamKey::GiveUp;
    case Qt::Key_J: return ExamKey::HandIn;
    case Qt::Key_K: return ExamKey::Book;
    case Qt::Key_M: return ExamKey::MockExam;
    default: return ExamKey::None;
    }
}

ExamKey examKeyFor(const QKeyEvent &event)
{
    switch (virtualKeyCode(event)) {
    case VkNumpad0 + 7: return ExamKey::A;
    case VkNumpad0 + 8: return ExamKey::B;
    case VkNumpad0 + 9: return ExamKey::C;
    case VkNumpad0 + 6: return ExamKey::D;
    case VkNumpad0 + 4: return ExamKey::True;
    case VkNumpad0 + 5: return ExamKey::False;
    case VkAdd: return ExamKey::Prev;
    case VkReturn: return ExamKey::Next;
    case VkDecimal: return ExamKey::Hint;
    case VkSubtract: return ExamKey::GiveUp;
    case VkMultiply: return ExamKey::HandIn;
    case VkDivide: return ExamKey::Book;
    case VkNumpad0: return ExamKey::Back;
    case VkEscape: return ExamKey::Back;
    default: return letterKeyFor(event);
    }
}

} // namespace kemuyi
