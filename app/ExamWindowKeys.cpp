#include "ExamWindow.h"

#include "practice/PracticeRun.h"
#include "ui/FailureReport.h"

#include <QKeyEvent>

namespace kemuyi {

void ExamWindow::keyPressEvent(QKeyEvent *event)
{
    const KeyAction action = keyActionFor(*event, KeyWindow::Exam);
    event->accept();
    guardEvent([this, action] { keyDown(action); });
}

void ExamWindow::keyDown(KeyAction action)
{
    switch (action) {
    case KeyAction::A: answer(ChoiceA); break;
    case KeyAction::B: answer(ChoiceB); break;
    case KeyAction::C: answer(ChoiceC); break;
    case KeyAction::D: answer(ChoiceD); break;
    case KeyAction::True: answer(ChoiceTrue); break;
    case KeyAction::False: answer(ChoiceFalse); break;
    case KeyAction::Prev: prevClicked(); break;
    case KeyAction::Next:
        if (m_page == Page::Start)
            startClicked();
        else if (m_page == Page::Confirm)
            confirmClicked();
        else if (m_page == Page::ConfirmDiscard)
            confirmDiscardClicked();
        else
            nextClicked();
        break;
    case KeyAction::GiveUp: giveUpClicked(); break;
    case KeyAction::HandIn: handInClicked(); break;
    case KeyAction::Book: drillClicked(); break;
    case KeyAction::Back: exitClicked(); break;
    case KeyAction::Explain: explainClicked(); break;
    case KeyAction::Discard: discardClicked(); break;
    case KeyAction::Read: readClicked(); break;
    case KeyAction::AutoRead: autoReadClicked(); break;
    default:
        break;
    }
}

} // namespace kemuyi
