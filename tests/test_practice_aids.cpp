// What the practice window and the menu teach beside the exam terminal's keys: honest counts
// (only the first judged answer of a question in a run), the menu's keys and asking before the
// program ends.

#include "PracticeFixture.h"

#include "app/Progress.h"
#include "app/Unit1.h"
#include "exam/ProgressStore.h"
#include "practice/RunTally.h"

#include <QPlainTextEdit>
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

namespace kemuyi::test {
namespace {

void press(QWidget *window, Qt::Key key, bool keypad = true)
{
    QTest::keyClick(window, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
}

TEST(RunTally, CountsTheFirstJudgementOfEachSlotAndTheHintAsWrong)
{
    RunTally tally;
    tally.reset(3);
    EXPECT_EQ(tally.judged(1, false), std::optional<bool>(false));
    EXPECT_EQ(tally.judged(1, true), std::nullopt) << "a second try does not count";
    tally.hintShown(2);
    EXPECT_TRUE(tally.answerShown(2));
    EXPECT_EQ(tally.judged(2, true), std::optional<bool>(false)) << "right after the hint is not known";
    EXPECT_EQ(tally.judged(3, true), std::optional<bool>(true));
    tally.hintShown(3); // after the answer: changes nothing
    EXPECT_EQ(tally.judged(0, true), std::nullopt);
    EXPECT_EQ(tally.judged(4, true), std::nullopt);
    EXPECT_EQ(tally.right(), 1);
    EXPECT_EQ(tally.wrong(), 2);
    tally.reset(3);
    EXPECT_EQ(tally.counted(), 0);
    EXPECT_FALSE(tally.answerShown(1));
}

class CountsTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form->setProgress(progress.get());
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
    }
    QString line() const { return form->LabelProgress->text(); }
    BookState book(qint32 id) { return progress->store()->bookState(progress->bank(), id); }
    std::unique_ptr<LearnerProgress> progress;
};

TEST_F(CountsTest, ASecondTryIsJudgedOnScreenButCountsAsTheFirst)
{
    form->ImgAClick(); // 101 answers B: wrong
    form->ImgHelpClick();
    form->ImgBClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。恭喜！您答对了！")) << "judged on screen as always";
    EXPECT_EQ(feedback(), QStringLiteral("yes.jpg"));
    EXPECT_TRUE(line().contains(QStringLiteral("答对 0 · 答错 1"))) << line().toStdString();
    EXPECT_TRUE(book(101).inBook);
    EXPECT_EQ(book(101).streak, 0) << "the second try is not a right answer for the book";

    form->ImgNextClick();
    form->ImgDuiClick(); // 102 right first
    form->ImgCuoClick(); // then wrong: the first still counts
    EXPECT_TRUE(line().contains(QStringLiteral("答对 1 · 答错 1"))) << line().toStdString();
    EXPECT_FALSE(book(102).inBook);
}

TEST_F(CountsTest, ARightAnswerAfterTheHintCountsAsWrong)
{
    press(form.get(), Qt::Key_Period); // the hint first
    press(form.get(), Qt::Key_8);      // then B, the answer just shown
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。恭喜！您答对了！"));
    EXPECT_TRUE(line().contains(QStringLiteral("答对 0 · 答错 1"))) << line().toStdString();
    EXPECT_TRUE(book(101).inBook);
}

TEST_F(CountsTest, AnAnswerNotJudgedIsNotCountedAndANewRunCountsAfresh)
{
    form->ImgNextClick();
    press(form.get(), Qt::Key_7); // A on a true/false question: recorded, not judged
    EXPECT_TRUE(line().contains(QStringLiteral("答对 0 · 答错 0"))) << line().toStdString();
    press(form.get(), Qt::Key_4); // now judged, and it is the first judgement
    EXPECT_TRUE(line().contains(QStringLiteral("答对 1 · 答错 0"))) << line().toStdString();
    form->ImgSxlxClick();
    form->ImgNextClick();
    form->ImgCuoClick();
    EXPECT_TRUE(line().contains(QStringLiteral("答对 0 · 答错 1"))) << line().toStdString();
}

// ---- the menu ----

class MenuKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeAllPictures(sandbox.appDir());
        writeBank(sandbox.appDir() + QStringLiteral("examdb.lib"), practiceRows());
        menu = std::make_unique<TForm1>();
        practice = new TForm2(menu.get());
        menu->setPracticeWindow(practice);
        menu->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
    }

    // The category a key opens, read inside the modal showing; empty when none opened.
    QString categoryOpenedBy(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QString opened;
        QTimer::singleShot(0, practice, [&] {
            if (practice->isVisible())
                opened = practice->Edit1->text();
            practice->ImgExitClick();
        });
        QTest::keyClick(target, key, modifiers);
        QCoreApplication::processEvents(); // a timer left over when nothing opened
        return opened;
    }

    Sandbox sandbox;
    FailureLog failures;
    std::unique_ptr<TForm1> menu;
    TForm2 *practice = nullptr;
};

TEST_F(MenuKeysTest, DigitsOpenTheCategoriesInTheirOrderOnScreen)
{
    const char *inOrder[] = {"C1C2C3C4", "A1A3B1", "A2B2", "DEF", "M"};
    for (int i = 0; i < 5; ++i) {
        const auto key = Qt::Key(Qt::Key_1 + i);
        EXPECT_EQ(categoryOpenedBy(menu.get(), key, Qt::NoModifier), QString::fromLatin1(inOrder[i])) << i + 1;
        EXPECT_EQ(categoryOpenedBy(menu.get(), key, Qt::KeypadModifier), QString::fromLatin1(inOrder[i]))
            << "keypad " << i + 1;
    }
    // Also while the introduction has the keyboard for scrolling.
    menu->Memo1->setFocus();
    EXPECT_EQ(categoryOpenedBy(menu->Memo1, Qt::Key_2, Qt::NoModifier), QStringLiteral("A1A3B1"));
    EXPECT_TRUE(categoryOpenedBy(menu.get(), Qt::Key_1, Qt::ControlModifier).isEmpty());
    EXPECT_TRUE(categoryOpenedBy(menu.get(), Qt::Key_6, Qt::NoModifier).isEmpty());
    EXPECT_TRUE(menu->Image_def->toolTip().contains(QStringLiteral("4键")));
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(MenuKeysTest, NoKeyEndsTheProgramWithoutAsking)
{
    ConfirmLog answers(false);
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_EQ(answers.questions().size(), 1);
    EXPECT_TRUE(menu->isVisible()) << "the learner said no";
    // The window manager's close key is asked about too.
    QCloseEvent fromOutside;
    QSpontaneKeyEvent::setSpontaneous(&fromOutside);
    qApp->notify(menu.get(), &fromOutside); // sendEvent would take the flag away
    EXPECT_EQ(answers.questions().size(), 2);
    EXPECT_TRUE(menu->isVisible());
    answers.setAnswer(true);
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuKeysTest, AQuittingApplicationClosesWithoutAsking)
{
    ConfirmLog answers(false);
    // What a session's end or SIGTERM does through QCoreApplication::quit().
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(qApp->exec(), 0);
    EXPECT_TRUE(answers.questions().isEmpty());
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuKeysTest, TheLeaveButtonEndsAtOnceAsBefore)
{
    ConfirmLog answers(false);
    menu->Image_tc->click();
    EXPECT_TRUE(answers.questions().isEmpty());
    EXPECT_FALSE(menu->isVisible());
}

} // namespace
} // namespace kemuyi::test
