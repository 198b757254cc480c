#include "Unit4.h"

#include "ui/FailureReport.h"

#include <QKeyEvent>

namespace kemuyi {

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    const ExamKey key = examKeyFor(*event);
    event->accept();
    guardEvent([this, key] { FormKeyDown(key); });
}

void TForm4::FormKeyDown(ExamKey key)
{
    switch (key) {
    case ExamKey::A: answer(1); break;
    case ExamKey::B: answer(2); break;
    case ExamKey::C: answer(3); break;
    case ExamKey::D: answer(4); break;
    case ExamKey::True: answer(5); break;
    case ExamKey::False: answer(6); break;
    case ExamKey::Prev: ImgPrevClick(); break;
    case ExamKey::Next:
        if (m_page == Page::Start)
            ImgKsksClick();
        else if (m_page == Page::Confirm)
            ImgQrjjClick();
        else
            ImgNextClick();
        break;
    case ExamKey::GiveUp: ImgFqClick(); break;
    case ExamKey::HandIn: ImgJjClick(); break;
    case ExamKey::Book: ImgCtlxClick(); break;
    case ExamKey::Back: ImgExitClick(); break;
    case ExamKey::Hint:
    case ExamKey::MockExam:
    case ExamKey::None:
        break;
    }
}

} // namespace kemuyi
