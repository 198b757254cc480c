// What only a real X server shows: exposure, real pointer double clicks, pixels on screen.
// CTest runs this program on a private virtual display of 1280 × 1024 (tests/with-xvfb); it
// needs no window manager.
#include "PracticeFixture.h"

#include "app/Progress.h"
#include "app/Startup.h"
#include "app/StudyWindow.h"
#include "app/Unit1.h"
#include "exam/ProgressStore.h"
#include "ui/ExplanationPanel.h"
#include "picture/JpegCodec.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QProcess>
#include <QStyleHints>
#include <QScreen>
#include <QTimer>

#include <functional>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Counts the mouse releases a control receives.
class ReleaseCounter : public QObject
{
public:
    explicit ReleaseCounter(QWidget *control) { control->installEventFilter(this); }
    int releases = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        releases += event->type() == QEvent::MouseButtonRelease;
        return false;
    }
};

// A real double click of the left button in the middle of `control`, through the X server.
void doubleClick(QWidget *control)
{
    const QPoint at = control->mapToGlobal(control->rect().center());
    const int exitCode = QProcess::execute(QStringLiteral("xdotool"),
                                           {QStringLiteral("mousemove"), QString::number(at.x()),
                                            QString::number(at.y()), QStringLiteral("click"),
                                            QStringLiteral("--repeat"), QStringLiteral("2"),
                                            QStringLiteral("--delay"), QStringLiteral("80"),
                                            QStringLiteral("1")});
    ASSERT_EQ(exitCode, 0) << "xdotool failed";
}

// Runs `then` from the event loop once `ready` holds, looking every 50 ms: from inside a modal
// window's own loop when that window is what `ready` waits for.
void whenReady(std::function<bool()> ready, std::function<void()> then)
{
    QTimer::singleShot(50, [ready = std::move(ready), then = std::move(then)]() mutable {
        if (ready())
            then();
        else
            whenReady(std::move(ready), std::move(then));
    });
}

// Runs xdotool without blocking: the window handles the events as they come, as it would from a
// learner's hands. Returns how long xdotool took, in milliseconds.
qint64 xdotool(const QStringList &arguments)
{
    QElapsedTimer took;
    took.start();
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    EXPECT_TRUE(process.waitForStarted()) << "xdotool did not start";
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return took.elapsed();
}

// `presses` presses of one key, `gapMs` apart, to the window with the input focus.
qint64 keyBurst(const QString &key, int presses, int gapMs)
{
    return xdotool({QStringLiteral("key"), QStringLiteral("--repeat"), QString::number(presses),
                    QStringLiteral("--delay"), QString::number(gapMs), key});
}

bool sameColour(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A real key press through the X server, delivered to whichever window has the keyboard.
void realKey(const char *keyName)
{
    const int exitCode = QProcess::execute(QStringLiteral("xdotool"),
                                           {QStringLiteral("key"), QString::fromLatin1(keyName)});
    ASSERT_EQ(exitCode, 0) << "xdotool failed";
}

// The pointer off every window, so that no key can reach a window merely for lying under it.
void pointerAway()
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("2"),
                                                             QStringLiteral("2")}), 0);
}

class OnX11Test : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        if (!onX11())
            GTEST_SKIP() << "needs a real X display (run through tests/with-xvfb)";
        PracticeWindowTest::SetUp();
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
    }
};

// The whole program's start on a real display: the pictures and the bank in a sandbox, the
// windows made by each test.
class OnX11Program : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        if (!onX11())
            GTEST_SKIP() << "needs a real X display (run through tests/with-xvfb)";
        ProgramFolderTest::SetUp();
    }
};

} // namespace

TEST_F(OnX11Test, ADoubleClickOnNextStepsOnce)
{
    ReleaseCounter counter(form->ImgNext);
    doubleClick(form->ImgNext);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.releases >= 2; }, 10000));
    EXPECT_EQ(position(), 2);
}

TEST_F(OnX11Test, ADoubleClickedAnswerUnderAutoAdvanceStepsOnce)
{
    form->setAdvanceDelay(300);
    form->ImgChkClick();
    ReleaseCounter counter(form->ImgA);
    doubleClick(form->ImgA);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.releases >= 2 && position() >= 2; }, 10000));
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(choiceAt(1), ChoiceA);
    EXPECT_EQ(choiceAt(2), ChoiceNone); // question 2 was shown and left alone
}

// Keys typed on the real keyboard: the star, the study centre and one of its pages, and the
// keyboard back in the practice window once the study centre has closed.
TEST_F(OnX11Test, RealKeysKeepAFavouriteOpenTheStudyCentreAndPractiseFromIt)
{
    LearnerProgress progress(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
    form->setProgress(&progress);
    form->ImgSxlxClick();
    pointerAway();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    realKey("x");
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress.store()->isFavourite(progress.bank(), 101); }, 10000));

    bool pageShown = false;
    bool studyActive = false;
    const auto studyShown = [this] { return form->studyWindow() && form->studyWindow()->isVisible(); };
    whenReady(studyShown, [&] {
        StudyWindow *study = form->studyWindow();
        studyActive = QTest::qWaitForWindowActive(study);
        realKey("2");
        pageShown = QTest::qWaitFor([&] { return study->page() == StudyWindow::Page::Favourites; }, 10000);
        realKey("Return");
        // Never left hanging in its modal loop when a key went astray.
        if (!QTest::qWaitFor([&] { return !study->isVisible(); }, 10000))
            study->reject();
    });
    realKey("l");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->studyWindow() && !form->studyWindow()->isVisible()
                                              && form->run().runIds() == QVector<qint32>{101}; }, 15000));
    EXPECT_TRUE(studyActive);
    EXPECT_TRUE(pageShown);
    EXPECT_TRUE(form->LabelProgress->text().startsWith(QStringLiteral("收藏 第 1/1 题")));
    // The keyboard is the practice window's again without a click.
    realKey("h");
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral(" 正确的答案应该是：B"); }, 10000)) << status().toStdString();

    EXPECT_EQ(form->run().runIds(), QVector<qint32>{101});
    EXPECT_TRUE(form->isVisible());
}

// Once a modal window other than `below` has the keyboard (the loop that shows it is running by
// then), notes its object name and leaves it with a real Esc. Gives up after 10 s.
void leaveTheNextModalWindowAbove(QWidget *below, QStringList &left, std::function<QString()> what = {})
{
    auto *poll = new QTimer(below);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, below, [=, &left] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != below && modal->isActiveWindow()) {
            left.append(what ? what() : modal->objectName());
            poll->deleteLater();
            realKey("Escape");
        } else if (started->elapsed() > 10000) {
            poll->deleteLater();
        }
    });
    poll->start(50);
}

TEST_F(OnX11Test, TheKeyboardComesBackToThePracticeWindowWhenTheExamWindowCloses)
{
    pointerAway();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QStringList left;
    leaveTheNextModalWindowAbove(form.get(), left);
    realKey("m"); // the mock exam, by a real key
    EXPECT_TRUE(QTest::qWaitFor([&] { return !left.isEmpty() && !QApplication::activeModalWidget(); }, 15000));
    realKey("n"); // next question: only if the practice window has the keyboard again
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() == 2; }, 5000)) << "the key went nowhere";
}

TEST_F(OnX11Test, RealLetterKeysExplainAndGoToAQuestion)
{
    pointerAway();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    realKey("a"); // 101 answers B: wrong
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->explainButton->isVisible(); }, 5000));
    realKey("e");
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->explanationPanel->isVisible(); }, 5000));
    realKey("Escape"); // closes the panel, not the window
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->explanationPanel->isVisible(); }, 5000));
    EXPECT_TRUE(form->isVisible());
    for (const char *key : {"g", "3", "Return"})
        realKey(key);
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() == 3; }, 5000));
}

TEST_F(OnX11Program, TheKeyboardComesBackToTheMenuWhenThePracticeWindowCloses)
{
    TForm1 menu;
    auto *practice = new TForm2(&menu);
    menu.setPracticeWindow(practice);
    menu.show();
    pointerAway();
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    QStringList opened;
    const auto category = [practice] { return practice->Edit1->text(); };
    leaveTheNextModalWindowAbove(&menu, opened, category);
    realKey("1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 1 && !practice->isVisible(); }, 15000));
    leaveTheNextModalWindowAbove(&menu, opened, category);
    realKey("2"); // reaches the menu only if the keyboard came back to it
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 2 && !practice->isVisible(); }, 15000));
    EXPECT_EQ(opened, (QStringList{QStringLiteral("C1C2C3C4"), QStringLiteral("A1A3B1")}));
}

TEST_F(OnX11Program, TheSplashPictureIsOnScreenBeforeTheSlowSteps)
{
    const QRgb logo = decodeJpegFile(sandbox.appDir() + QStringLiteral("logo.jpg")).pixel(200, 150);

    QImage onScreen;
    StartupOptions options;
    options.splashIntervalMs = 10;
    // Stands in for slow creation: nothing handles events here, so what the screen shows now is
    // what a learner would look at during a slow start.
    options.afterWindowsCreated = [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("SplashScreen") && window->isVisible()) {
                const QRect place = window->geometry();
                onScreen = window->screen()
                               ->grabWindow(0, place.x(), place.y(), place.width(), place.height())
                               .toImage();
            }
        }
    };
    StartedWindows windows = runStartup(options);
    ASSERT_EQ(onScreen.size(), QSize(432, 293));
    int matching = 0;
    for (const QPoint at : {QPoint(20, 20), QPoint(216, 146), QPoint(400, 270), QPoint(100, 250)})
        matching += sameColour(onScreen.pixel(at), logo);
    EXPECT_EQ(matching, 4);
}

TEST_F(OnX11Program, TheMenuStandsInTheMiddleOfTheWholeScreenWithWhiteTitles)
{
    TForm1 menu;
    if (menu.screen()->geometry().size() != QSize(1280, 1024))
        GTEST_SKIP() << "the display is not 1280 x 1024";
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(menu.geometry().topLeft(), QPoint(295, 287));
    EXPECT_EQ(menu.mapToGlobal(QPoint(0, 0)), QPoint(295, 287));

    // And the two titles reach the screen in white.
    const auto whitePixelsOf = [&](QLabel *label) {
        const QRect place(label->mapToGlobal(QPoint(0, 0)), label->size());
        const QImage shot =
            menu.screen()->grabWindow(0, place.x(), place.y(), place.width(), place.height()).toImage();
        int white = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                white += QColor(shot.pixel(x, y)).lightness() > 230;
        }
        return white;
    };
    for (QLabel *label : {menu.Label1, menu.Label2})
        EXPECT_TRUE(QTest::qWaitFor([&] { return whitePixelsOf(label) > 40; }, 5000))
            << label->objectName().toStdString();
}

// ---- no question skipped under auto-advance, with real input ----

namespace {

class BurstTest : public OnX11Test
{
protected:
    void SetUp() override
    {
        if (!onX11())
            GTEST_SKIP() << "needs a real X display (run through tests/with-xvfb)";
        PracticeWindowTest::SetUp();
        QVector<Question> rows;
        for (int id = 1; id <= 40; ++id)
            rows.append(choiceRow(id, QStringLiteral("C1C2C3C4"), QStringLiteral("A")));
        writeBank(workingCopyPath(), rows);
        form->setAdvanceDelay(1000);
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
        form->ImgChkClick();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Waits until nothing is owed any more: a wait with no step after it.
    void settle()
    {
        qint32 before = 0;
        do {
            before = position();
            QTest::qWait(1300);
        } while (position() != before);
    }

    // Every question the run moved past was answered A, and the run moved at most once a wait:
    // no question went by unseen.
    void expectEachStepEarned(qint64 burstMs, qint64 waitMs)
    {
        for (qint32 at = 1; at < position(); ++at)
            EXPECT_EQ(choiceAt(at), ChoiceA) << "question " << at << " was passed unanswered";
        EXPECT_LE(position(), 1 + 1 + burstMs / waitMs) << "the burst took " << burstMs << " ms";
    }
};

} // namespace

// Thirty presses of one answer key in under a second, on the keypad and as a letter.
class ThirtyPresses : public BurstTest, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(ThirtyPresses, InUnderASecondMoveOnce)
{
    const qint64 took = keyBurst(QString::fromLatin1(GetParam()), 30, 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() >= 2; }, 5000));
    settle();
    expectEachStepEarned(took, 1000);
    if (took < 950) {
        EXPECT_EQ(position(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(AnswerKeys, ThirtyPresses, ::testing::Values("KP_7", "a"));

TEST_F(BurstTest, AHeldKeyAnswersEveryQuestionItPassesAndMovesOnceAWait)
{
    form->setAdvanceDelay(300);
    const qint64 took = keyBurst(QStringLiteral("KP_7"), 40, 40);
    settle();
    // About 1.6 s of presses: several questions, each answered before the run moved past it.
    EXPECT_GE(position(), 3);
    expectEachStepEarned(took, 300);
}

TEST_F(BurstTest, AnAnswerThenEnterDuringTheWaitMovesOnce)
{
    xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("KP_7"),
             QStringLiteral("Return")});
    settle();
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(choiceAt(1), ChoiceA);
    EXPECT_EQ(choiceAt(2), ChoiceNone);
}

TEST_F(BurstTest, TwoClicksOnAnAnswerDuringTheWaitMoveOnce)
{
    // Slower than a double click, well within the wait.
    const int gap = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100;
    ASSERT_LT(gap, 900);
    const QPoint at = form->ImgA->mapToGlobal(form->ImgA->rect().center());
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
             QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"), QString::number(gap),
             QStringLiteral("1")});
    settle();
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(choiceAt(1), ChoiceA);
    EXPECT_EQ(choiceAt(2), ChoiceNone);
}
