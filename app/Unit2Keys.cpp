#include "Unit2.h"

#include "ExamKeys.h"
#include "ui/FailureReport.h"
#include "ui/ImageButton.h"
#include "ui/KeyCodes.h"

#include <QKeyEvent>

// The practice window's keyboard: the exam terminal's keys on the numeric keypad, and letters
// for keyboards without one.

namespace kemuyi {

namespace {

// The exam keyboard: a key does what a click on its button does, but only while the gating
// button is enabled; a key without one (leaving, the hint) always acts.
struct KeyBinding
{
    int key;
    ImageButton *TForm2::*gate;
    void (TForm2::*press)();
};
constexpr KeyBinding kKeys[] = {
    {VkReturn, &TForm2::ImgNext, &TForm2::ImgNextClick},
    {VkEscape, nullptr, &TForm2::ImgExitClick},
    {VkNumpad4, &TForm2::ImgDui, &TForm2::ImgDuiClick},
    {VkNumpad5, &TForm2::ImgCuo, &TForm2::ImgCuoClick},
    {VkNumpad6, &TForm2::ImgD, &TForm2::ImgDClick},
    {VkNumpad7, &TForm2::ImgA, &TForm2::ImgAClick},
    {VkNumpad8, &TForm2::ImgB, &TForm2::ImgBClick},
    {VkNumpad9, &TForm2::ImgC, &TForm2::ImgCClick},
    {VkAdd, &TForm2::ImgPrev, &TForm2::ImgPrevClick},
    {VkDecimal, nullptr, &TForm2::ImgHelpClick},
};

} // namespace

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    const int key = virtualKeyCode(*event);
    event->accept();
    if (key == VkNone || key == VkMultiply) {
        guardEvent([this, event] { ExtraKeyDown(event); });
        return;
    }
    guardEvent([this, key] { FormKeyDown(key); });
}

void TForm2::FormKeyDown(int key)
{
    for (const KeyBinding &binding : kKeys) {
        if (binding.key != key)
            continue;
        if (!binding.gate || (this->*binding.gate)->isEnabled())
            (this->*binding.press)();
        return;
    }
}

void TForm2::ExtraKeyDown(QKeyEvent *event)
{
    // Each letter does what its keypad key does, under the same conditions.
    switch (virtualKeyCode(*event) == VkMultiply ? ExamKey::MockExam : letterKeyFor(*event)) {
    case ExamKey::A: FormKeyDown(VkNumpad7); break;
    case ExamKey::B: FormKeyDown(VkNumpad8); break;
    case ExamKey::C: FormKeyDown(VkNumpad9); break;
    case ExamKey::D: FormKeyDown(VkNumpad6); break;
    case ExamKey::True: FormKeyDown(VkNumpad4); break;
    case ExamKey::False: FormKeyDown(VkNumpad5); break;
    case ExamKey::Prev: FormKeyDown(VkAdd); break;
    case ExamKey::Next: FormKeyDown(VkReturn); break;
    case ExamKey::Hint: FormKeyDown(VkDecimal); break;
    case ExamKey::MockExam: ImgMnksClick(); break;
    default: break;
    }
}

} // namespace kemuyi
