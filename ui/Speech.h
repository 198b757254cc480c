#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kemuyi {

// What reads text aloud. Windows talk to this interface; tests inject one that records.
// say() and stop() return at once: the speaking happens elsewhere.
class SpeechOutput : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, Speaking, NoVoice };

    using QObject::QObject;
    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;
    virtual State state() const = 0;

signals:
    // Emitted on the window's thread whenever state() changes.
    void stateChanged(kemuyi::SpeechOutput::State state);
};

// The system's speech service through Qt TextToSpeech, with a Mandarin voice when one exists.
// The engine lives on a thread of its own: a speech service that hangs (a wedged daemon does)
// never blocks the window. Until the engine has looked for a voice the state is Idle.
std::unique_ptr<SpeechOutput> makeSystemSpeech(QObject *parent = nullptr);

// Reads questions aloud for one window: V reads the shown question or stops it, each newly shown
// question stops the one still speaking and, with auto-read on, is read in turn. Without a voice
// the first request says so once through `notice`; nothing else changes.
class QuestionReader : public QObject
{
    Q_OBJECT
public:
    static QString noVoiceText();

    QuestionReader(SpeechOutput *output, std::function<void(const QString &)> notice,
                   QObject *parent = nullptr);

    void toggle(const QString &text);
    void questionShown(const QString &text);
    void stop();
    bool autoRead() const { return m_autoRead; }
    void setAutoRead(bool on) { m_autoRead = on; }

private:
    void speak(const QString &text);
    void onStateChanged(SpeechOutput::State state);

    SpeechOutput *m_output;
    std::function<void(const QString &)> m_notice;
    bool m_autoRead = false;
    bool m_noVoiceSaid = false;
};

} // namespace kemuyi
