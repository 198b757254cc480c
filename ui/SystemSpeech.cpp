#include "Speech.h"

#include <QLocale>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

#include <atomic>

namespace kemuyi {
namespace {

// A Mandarin voice, if the engine has one. espeak-ng's Mandarin voices carry no Chinese locale
// under speech-dispatcher, so they are found by name as well.
std::optional<QVoice> mandarinVoice(QTextToSpeech &engine)
{
    const QList<QVoice> voices = engine.availableVoices();
    for (const QVoice &voice : voices) {
        if (voice.locale().language() == QLocale::Chinese)
            return voice;
    }
    for (const QVoice &voice : voices) {
        if (voice.name().contains(QLatin1String("Mandarin"), Qt::CaseInsensitive)
            || voice.name().startsWith(QLatin1String("cmn"), Qt::CaseInsensitive))
            return voice;
    }
    return std::nullopt;
}

// Lives on the speech thread and owns the engine there.
class SpeechWorker : public QObject
{
    Q_OBJECT
public:
    void say(const QString &text)
    {
        if (!ensureEngine())
            return;
        m_engine->say(text);
    }

    void stop()
    {
        if (m_engine)
            m_engine->stop();
    }

signals:
    void stateChanged(kemuyi::SpeechOutput::State state);

private:
    bool ensureEngine()
    {
        if (m_engine)
            return true;
        if (m_noVoice)
            return false;
        auto *engine = new QTextToSpeech(this);
        const std::optional<QVoice> voice = engine->state() == QTextToSpeech::Error
                                                ? std::nullopt : mandarinVoice(*engine);
        if (!voice) {
            delete engine;
            m_noVoice = true;
            emit stateChanged(SpeechOutput::State::NoVoice);
            return false;
        }
        engine->setVoice(*voice);
        connect(engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            emit stateChanged(state == QTextToSpeech::Speaking ? SpeechOutput::State::Speaking
                                                               : SpeechOutput::State::Idle);
        });
        m_engine = engine;
        return true;
    }

    QPointer<QTextToSpeech> m_engine;
    bool m_noVoice = false;
};

class SystemSpeech : public SpeechOutput
{
public:
    explicit SystemSpeech(QObject *parent)
        : SpeechOutput(parent)
        , m_thread(new QThread)
        , m_latest(std::make_shared<std::atomic<int>>(0))
    {
        m_thread->setObjectName(QStringLiteral("speech"));
        m_worker = new SpeechWorker;
        m_worker->moveToThread(m_thread);
        connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        connect(m_worker, &SpeechWorker::stateChanged, this, [this](State state) {
            if (m_state == State::NoVoice || state == m_state)
                return;
            m_state = state;
            emit stateChanged(state);
        }, Qt::QueuedConnection);
        m_thread->start();
    }

    ~SystemSpeech() override
    {
        stop();
        m_thread->quit();
        // A speech service that hangs must not hold the window or the program's exit hostage:
        // a thread still stuck in it is left to end with the process.
        if (m_thread->wait(2000))
            delete m_thread;
    }

    void say(const QString &text) override
    {
        if (m_state == State::NoVoice)
            return;
        post([worker = m_worker, text] { worker->say(text); });
    }

    void stop() override
    {
        post([worker = m_worker] { worker->stop(); });
    }

    State state() const override { return m_state; }

private:
    // Requests pile up while the service is slow; only the newest one is carried out.
    template <typename Request>
    void post(Request request)
    {
        const int number = ++*m_latest;
        QMetaObject::invokeMethod(m_worker, [latest = m_latest, number, request] {
            if (*latest == number)
                request();
        }, Qt::QueuedConnection);
    }

    QThread *m_thread;
    SpeechWorker *m_worker = nullptr;
    std::shared_ptr<std::atomic<int>> m_latest;
    State m_state = State::Idle;
};

} // namespace

std::unique_ptr<SpeechOutput> makeSystemSpeech(QObject *parent)
{
    return std::make_unique<SystemSpeech>(parent);
}

} // namespace kemuyi

#include "SystemSpeech.moc"
