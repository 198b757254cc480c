#include "Unit2.h"

#include "ui/FailureReport.h"
#include "ui/ImageButton.h"
#include "ui/KeyTable.h"

#include <QKeyEvent>

// The practice window's keyboard: what each action of the shared key table does here.

namespace kemuyi {

namespace {

// A key does what a click on its button does, but only while the gating button is enabled; a
// key without one (leaving, the hint, the mock exam) always acts.
struct KeyBinding
{
    KeyAction action;
    ImageButton *TForm2::*gate;
    void (TForm2::*press)();
};
constexpr KeyBinding kKeys[] = {
    {KeyAction::Next, &TForm2::ImgNext, &TForm2::ImgNextClick},
    {KeyAction::Back, nullptr, &TForm2::ImgExitClick},
    {KeyAction::True, &TForm2::ImgDui, &TForm2::ImgDuiClick},
    {KeyAction::False, &TForm2::ImgCuo, &TForm2::ImgCuoClick},
    {KeyAction::D, &TForm2::ImgD, &TForm2::ImgDClick},
    {KeyAction::A, &TForm2::ImgA, &TForm2::ImgAClick},
    {KeyAction::B, &TForm2::ImgB, &TForm2::ImgBClick},
    {KeyAction::C, &TForm2::ImgC, &TForm2::ImgCClick},
    {KeyAction::Prev, &TForm2::ImgPrev, &TForm2::ImgPrevClick},
    {KeyAction::Hint, nullptr, &TForm2::ImgHelpClick},
    {KeyAction::MockExam, nullptr, &TForm2::ImgMnksClick},
    {KeyAction::Read, nullptr, &TForm2::ImgReadClick},
    {KeyAction::AutoRead, nullptr, &TForm2::autoReadClick},
};

} // namespace

void TForm2::keyPressEvent(QKeyEvent *event)
{
    const KeyAction action = keyActionFor(*event, KeyWindow::Practice);
    event->accept();
    guardEvent([this, action] { keyDown(action); });
}

void TForm2::FormKeyDown(int key)
{
    keyDown(keyActionForCode(key, KeyWindow::Practice));
}

void TForm2::keyDown(KeyAction action)
{
    for (const KeyBinding &binding : kKeys) {
        if (binding.action != action)
            continue;
        if (!binding.gate || (this->*binding.gate)->isEnabled())
            (this->*binding.press)();
        return;
    }
}

} // namespace kemuyi
