#include "Unit2.h"

#include "ui/FailureReport.h"
#include "ui/ExplanationPanel.h"
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
    {KeyAction::Explain, nullptr, &TForm2::explainClicked},
    {KeyAction::JumpTo, nullptr, &TForm2::startJumpEntry},
    {KeyAction::Sequential, nullptr, &TForm2::ImgSxlxClick},
    {KeyAction::Intensive, nullptr, &TForm2::ImgJqlxClick},
    {KeyAction::AutoAdvance, nullptr, &TForm2::ImgChkClick},
    {KeyAction::Read, nullptr, &TForm2::ImgReadClick},
    {KeyAction::AutoRead, nullptr, &TForm2::autoReadClick},
};

} // namespace

void TForm2::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    guardEvent([this, event] {
        if (!m_enteringJump || !jumpEntryKey(*event))
            keyDown(keyActionFor(*event, KeyWindow::Practice));
    });
}

void TForm2::FormKeyDown(int key)
{
    keyDown(keyActionForCode(key, KeyWindow::Practice));
}

void TForm2::keyDown(KeyAction action)
{
    // Esc closes an open explanation first; a second Esc leaves the window.
    if (action == KeyAction::Back && explanationPanel->isOpen()) {
        explanationPanel->close();
        return;
    }
    for (const KeyBinding &binding : kKeys) {
        if (binding.action != action)
            continue;
        if (!binding.gate || (this->*binding.gate)->isEnabled())
            (this->*binding.press)();
        return;
    }
}

} // namespace kemuyi
