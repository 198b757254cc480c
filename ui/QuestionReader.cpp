#include "Speech.h"

namespace kemuyi {

QString QuestionReader::noVoiceText()
{
    return QStringLiteral("未找到中文语音，无法朗读");
}

QuestionReader::QuestionReader(SpeechOutput *output, std::function<void(const QString &)> notice,
                               QObject *parent)
    : QObject(parent)
    , m_output(output)
    , m_notice(std::move(notice))
{
    connect(m_output, &SpeechOutput::stateChanged, this, &QuestionReader::onStateChanged);
}

void QuestionReader::toggle(const QString &text)
{
    if (m_output->state() == SpeechOutput::State::Speaking) {
        stop();
        return;
    }
    speak(text);
}

void QuestionReader::questionShown(const QString &text)
{
    stop();
    if (m_autoRead)
        speak(text);
}

void QuestionReader::stop()
{
    if (m_output->state() == SpeechOutput::State::Speaking)
        m_output->stop();
}

void QuestionReader::speak(const QString &text)
{
    if (m_output->state() == SpeechOutput::State::NoVoice) {
        onStateChanged(SpeechOutput::State::NoVoice);
        return;
    }
    m_output->say(text);
}

void QuestionReader::onStateChanged(SpeechOutput::State state)
{
    // The engine looks for a voice only when first asked to speak, so a missing voice is news
    // to a learner who just asked; it is said once.
    if (state != SpeechOutput::State::NoVoice || m_noVoiceSaid)
        return;
    m_noVoiceSaid = true;
    if (m_notice)
        m_notice(noVoiceText());
}

} // namespace kemuyi
