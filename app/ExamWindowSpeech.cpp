// The mock-exam window reading questions aloud, in the exam, the drill and the review alike.

#include "ExamWindow.h"

#include "ui/Accessibility.h"
#include "ui/LearnerSettings.h"
#include "ui/ReadAloud.h"
#include "ui/Speech.h"

#include <QHideEvent>
#include <QLabel>

namespace kemuyi {

void ExamWindow::setSpeech(SpeechOutput *speech)
{
    delete m_reader;
    m_reader = nullptr;
    if (!speech)
        return;
    m_reader = new QuestionReader(speech, [this](const QString &notice) { setAnnouncedText(statusLabel, readingNotice(notice)); }, this);
    m_reader->setAutoRead(savedAutoRead());
}

void ExamWindow::readClicked()
{
    if (m_reader && !m_spoken.isEmpty())
        m_reader->toggle(m_spoken);
}

void ExamWindow::autoReadClicked()
{
    if (!m_reader)
        return;
    setAnnouncedText(statusLabel, autoReadStatus(switchAutoRead(*m_reader, m_spoken)));
}

void ExamWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (m_reader && !event->spontaneous())
        m_reader->stop();
}

} // namespace kemuyi
