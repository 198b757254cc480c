#pragma once

#include "ui/Speech.h"

#include <QStringList>

namespace kemuyi::test {

// Speaks nothing; records what would be said and behaves like an engine that speaks at once.
class RecordingSpeech : public SpeechOutput
{
public:
    QStringList said;
    int stops = 0;
    bool hasVoice = true;

    void say(const QString &text) override
    {
        if (!hasVoice) {
            setState(State::NoVoice);
            return;
        }
        said.append(text);
        setState(State::Speaking);
    }
    void stop() override
    {
        ++stops;
        setState(State::Idle);
    }
    State state() const override { return m_state; }
    void finish() { setState(State::Idle); }

private:
    void setState(State state)
    {
        if (state == m_state)
            return;
        m_state = state;
        emit stateChanged(state);
    }
    State m_state = State::Idle;
};

} // namespace kemuyi::test
