// Reading questions aloud: what is said and when, through a recording speech output; and, where
// the machine has the speech service and a Mandarin voice, the real engine to speaking and back.

#include "RecordingSpeech.h"

#include "practice/QuestionText.h"
#include "ui/Speech.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <gtest/gtest.h>

namespace kemuyi::test {
namespace {

Question choiceQuestion()
{
    Question q;
    q.subject = QStringLiteral("驾驶机动车在雾天行驶应开启（　）");
    q.a = QStringLiteral("A、雾灯和危险报警闪光灯");
    q.b = QStringLiteral("B、远光灯");
    q.c = QStringLiteral("C、倒车灯");
    q.d = QStringLiteral("D、示廓灯");
    q.select = QStringLiteral("Y");
    return q;
}

TEST(SpokenText, ReadsNumberStemAndEachOptionWithItsLetter)
{
    EXPECT_EQ(spokenQuestionText(3, choiceQuestion()),
              QStringLiteral("第3题。驾驶机动车在雾天行驶应开启，A，雾灯和危险报警闪光灯。B，远光灯。"
                             "C，倒车灯。D，示廓灯。"));
    Question truth;
    truth.subject = QStringLiteral("机动车在高速公路上可以倒车。");
    truth.select = QStringLiteral("N");
    EXPECT_EQ(spokenQuestionText(12, truth), QStringLiteral("第12题。机动车在高速公路上可以倒车。"));
}

TEST(QuestionReader, VReadsThenStopsAndANewQuestionStopsTheOldOne)
{
    RecordingSpeech speech;
    QStringList notices;
    QuestionReader reader(&speech, [&](const QString &text) { notices.append(text); });

    reader.toggle(QStringLiteral("一"));
    EXPECT_EQ(speech.said, QStringList{QStringLiteral("一")});
    reader.toggle(QStringLiteral("一")); // a second V while speaking stops
    EXPECT_EQ(speech.stops, 1);
    EXPECT_EQ(speech.said.size(), 1);

    reader.toggle(QStringLiteral("一"));
    reader.questionShown(QStringLiteral("二")); // auto-read off: the old question stops, nothing new
    EXPECT_EQ(speech.stops, 2);
    EXPECT_EQ(speech.said.size(), 2);

    reader.setAutoRead(true);
    reader.questionShown(QStringLiteral("三"));
    speech.finish();
    reader.questionShown(QStringLiteral("四"));
    EXPECT_EQ(speech.said, (QStringList{"一", "一", "三", "四"}));
    EXPECT_EQ(speech.stops, 2) << "nothing was speaking to stop";
    EXPECT_TRUE(notices.isEmpty());
}

TEST(QuestionReader, WithoutAVoiceTheFirstRequestSaysSoOnceAndNothingElseHappens)
{
    RecordingSpeech speech;
    speech.hasVoice = false;
    QStringList notices;
    QuestionReader reader(&speech, [&](const QString &text) { notices.append(text); });
    reader.questionShown(QStringLiteral("不读")); // auto-read off: no request, no notice
    EXPECT_TRUE(notices.isEmpty());
    reader.toggle(QStringLiteral("一"));
    reader.toggle(QStringLiteral("一"));
    reader.setAutoRead(true);
    reader.questionShown(QStringLiteral("二"));
    EXPECT_EQ(notices, QStringList{QuestionReader::noVoiceText()});
    EXPECT_TRUE(speech.said.isEmpty());
}

// The real speech service, set up as the platform notes describe: a private configuration whose
// audio goes to libao's null driver, so speaking ends as on a desktop and no daemon is shared.
class PrivateSpeechService
{
public:
    PrivateSpeechService()
    {
        const QString home = m_dir.path();
        for (const char *sub : {"config/speech-dispatcher", "runtime"})
            QDir(home).mkpath(QLatin1String(sub));
        QFile::setPermissions(home + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile system(QStringLiteral("/etc/speech-dispatcher/speechd.conf"));
        QFile own(home + "/config/speech-dispatcher/speechd.conf");
        if (system.open(QIODevice::ReadOnly) && own.open(QIODevice::WriteOnly))
            own.write(system.readAll() + "\nAudioOutputMethod \"libao\"\n");
        QFile ao(home + "/.libao");
        if (ao.open(QIODevice::WriteOnly))
            ao.write("default_driver=null\n");
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", (home + "/runtime").toLocal8Bit());
    }
    ~PrivateSpeechService()
    {
        // The daemon was spawned on first use; it is ours to end.
        QFile pid(m_dir.path() + "/runtime/speech-dispatcher/pid/speech-dispatcher.pid");
        if (pid.open(QIODevice::ReadOnly)) {
            const int id = pid.readAll().trimmed().toInt();
            if (id > 0)
                ::kill(id, SIGTERM);
        }
    }
    bool ready() const { return m_dir.isValid() && QFile::exists(QStringLiteral("/etc/speech-dispatcher/speechd.conf")); }

private:
    QTemporaryDir m_dir;
};

TEST(SystemSpeech, TheRealEngineSpeaksAMandarinTextAndReturnsToIdle)
{
#ifdef KEMUYI_SANITIZED_BUILD
    GTEST_SKIP() << "the real speech service is driven by the normal build's suite";
#endif
    if (QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        GTEST_SKIP() << "no speech-dispatcher on this machine";
    PrivateSpeechService service;
    ASSERT_TRUE(service.ready());
    std::unique_ptr<SpeechOutput> speech = makeSystemSpeech();
    QList<SpeechOutput::State> states;
    QObject::connect(speech.get(), &SpeechOutput::stateChanged,
                     [&](SpeechOutput::State state) { states.append(state); });

    QElapsedTimer call;
    call.start();
    speech->say(spokenQuestionText(1, choiceQuestion()));
    EXPECT_LT(call.elapsed(), 1000) << "saying returns at once; the speaking happens elsewhere";

    ASSERT_TRUE(QTest::qWaitFor([&] { return !states.isEmpty(); }, 20000)) << "the engine never answered";
    if (states.first() == SpeechOutput::State::NoVoice)
        GTEST_SKIP() << "the speech service has no Mandarin voice here";
    EXPECT_EQ(states.first(), SpeechOutput::State::Speaking);
    EXPECT_TRUE(QTest::qWaitFor([&] { return speech->state() == SpeechOutput::State::Idle; }, 30000))
        << "speaking never ended";

    // Stopping in the middle also returns to idle.
    speech->say(spokenQuestionText(2, choiceQuestion()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return speech->state() == SpeechOutput::State::Speaking; }, 20000));
    speech->stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return speech->state() == SpeechOutput::State::Idle; }, 10000));
}

} // namespace
} // namespace kemuyi::test
