#include "Unit2.h"

#include "ExamWindow.h"
#include "ui/Accessibility.h"
#include "ui/LearnerSettings.h"
#include "ui/ReadAloud.h"
#include "ui/Speech.h"

#include <QHideEvent>
#include <QLabel>

// The practice window reading questions aloud: V and the speaker button read the shown question
// or stop, Y switches reading each new question as it is shown.

namespace kemuyi {

void TForm2::setSpeech(SpeechOutput *speech)
{
    m_speech = speech;
    delete m_reader;
    m_reader = nullptr;
    if (speech) {
        m_reader = new QuestionReader(speech, [this](const QString &notice) { setAnnouncedText(Label2, readingNotice(notice)); }, this);
        m_reader->setAutoRead(savedAutoRead());
    }
    if (m_examWindow)
        m_examWindow->setSpeech(speech);
}

void TForm2::ImgReadClick()
{
    if (m_reader && !m_spoken.isEmpty())
        m_reader->toggle(m_spoken);
}

void TForm2::autoReadClick()
{
    if (!m_reader)
        return;
    const bool on = switchAutoRead(*m_reader, m_spoken);
    setAnnouncedText(Label2, autoReadStatus(on));
}

void TForm2::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (m_reader && !event->spontaneous())
        m_reader->stop();
}

} // namespace kemuyi
