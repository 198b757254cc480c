// What the practice window and the menu teach beside the exam terminal's keys: honest counts
// (only the first judged answer of a question in a run), the menu's keys and asking before the
// program ends.

#include "PracticeFixture.h"

#include "app/Progress.h"
#include "app/Unit1.h"
#include "exam/ProgressStore.h"
#include "practice/RunTally.h"
#include "ui/ExplanationPanel.h"

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

// ---- explanations ----

class ExplanationTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        execOnBank(workingCopyPath(), QStringLiteral(
            "CREATE TABLE BASIS (ID INTEGER PRIMARY KEY, basis TEXT);"
            "INSERT INTO BASIS VALUES (101, '条例第101条'), (102, '条例第102条');"
            "CREATE TABLE EXPLAIN (ID INTEGER PRIMARY KEY, explain TEXT);"
            "INSERT INTO EXPLAIN VALUES (101, '因为B是对的。');"));
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
    }
    bool panelOpen() const { return form->explanationPanel->isVisible(); }
    QString panel() const { return form->explanationPanel->toPlainText(); }
};

TEST_F(ExplanationTest, OpensOnlyOnceTheAnswerIsKnownAndShowsItWithItsBasis)
{
    EXPECT_FALSE(form->explainButton->isVisible());
    press(form.get(), Qt::Key_E, false);
    EXPECT_FALSE(panelOpen()) << "before an answer it would give the answer away";
    form->ImgAClick(); // wrong
    EXPECT_TRUE(form->explainButton->isVisible());
    press(form.get(), Qt::Key_E, false);
    ASSERT_TRUE(panelOpen());
    EXPECT_EQ(panel(), QStringLiteral("正确答案：B\n\n解析：因为B是对的。\n\n依据：条例第101条"));
    EXPECT_EQ(form->explanationPanel->accessibleName(), QStringLiteral("解析"));
    press(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(panelOpen());
    EXPECT_TRUE(form->isVisible()) << "the first Esc closes the panel only";
    form->explainButton->click();
    EXPECT_TRUE(panelOpen());
    press(form.get(), Qt::Key_E, false);
    EXPECT_FALSE(panelOpen());
    press(form.get(), Qt::Key_E, false);
    press(form.get(), Qt::Key_8); // an answer key closes it and answers
    EXPECT_FALSE(panelOpen());
    EXPECT_EQ(choiceAt(1), ChoiceB);
    press(form.get(), Qt::Key_E, false);
    form->ImgNextClick(); // the next question closes it
    EXPECT_FALSE(panelOpen());
    EXPECT_FALSE(form->explainButton->isVisible());
    form->ImgPrevClick(); // judged earlier in this run: it may open again
    EXPECT_TRUE(form->explainButton->isVisible());
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(ExplanationTest, TheHintAlsoOpensItAndABankWithoutExplanationsShowsTheBasisAlone)
{
    form->ImgNextClick(); // 102: a basis, no explanation
    press(form.get(), Qt::Key_Period);
    press(form.get(), Qt::Key_E, false);
    ASSERT_TRUE(panelOpen());
    EXPECT_EQ(panel(), QStringLiteral("正确答案：正确\n\n依据：条例第102条"));
    form->ImgNextClick(); // 103: neither
    form->ImgCClick();
    press(form.get(), Qt::Key_E, false);
    EXPECT_TRUE(panel().contains(QStringLiteral("暂无解析和依据"))) << panel().toStdString();
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(ExplanationTest, AShownWindowStartsWithThePanelClosed)
{
    form->ImgAClick();
    form->explainClicked();
    form->hide();
    form->show();
    EXPECT_FALSE(panelOpen());
    EXPECT_FALSE(form->explainButton->isVisible());
}

// ---- going to a question, and the mode keys ----

TEST_F(PracticeWindowTest, GThenDigitsThenEnterGoesToThatQuestion)
{
    showFor(QStringLiteral("C1C2C3C4"));
    press(form.get(), Qt::Key_G, false);
    EXPECT_FALSE(form->isEnteringJump()) << "no run yet";
    form->ImgSxlxClick();
    form->ImgBClick();
    const QString judged = status();
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_3, false);
    EXPECT_EQ(status(), QStringLiteral(" 转到第 3 题：输入题号按回车键，Esc键取消"));
    press(form.get(), Qt::Key_Enter);
    EXPECT_EQ(position(), 3);
    EXPECT_TRUE(status().isEmpty()) << "shown as a step shows it";

    // Keypad digits are digits while the entry is open; out of range is refused in the status line.
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_9);
    press(form.get(), Qt::Key_Enter);
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(status(), QStringLiteral(" 没有第9题：请输入1到4之间的题号。"));
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_0, false);
    press(form.get(), Qt::Key_Enter);
    EXPECT_EQ(position(), 3);
    EXPECT_TRUE(status().startsWith(QStringLiteral(" 没有第0题")));

    // Esc cancels and gives the status line back; Backspace takes a digit back.
    form->ImgPrevClick();
    form->ImgPrevClick();
    form->ImgBClick();
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_4, false);
    press(form.get(), Qt::Key_Backspace, false);
    press(form.get(), Qt::Key_2, false);
    press(form.get(), Qt::Key_Escape);
    EXPECT_EQ(status(), judged);
    EXPECT_EQ(position(), 1);
    EXPECT_TRUE(form->isVisible());
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_4, false);
    press(form.get(), Qt::Key_Backspace, false);
    press(form.get(), Qt::Key_2, false);
    press(form.get(), Qt::Key_Return, false);
    EXPECT_EQ(position(), 2);
    // Another key ends the entry and acts as always.
    press(form.get(), Qt::Key_G, false);
    press(form.get(), Qt::Key_P, false);
    EXPECT_FALSE(form->isEnteringJump());
    EXPECT_EQ(position(), 1);
}

TEST_F(PracticeWindowTest, SRAndZDoWhatTheirButtonsDo)
{
    showFor(QStringLiteral("C1C2C3C4"));
    press(form.get(), Qt::Key_S, false);
    EXPECT_TRUE(form->run().isActive());
    EXPECT_EQ(form->run().CurrentQuestionId, 101);
    form->run().setSeedSource([] { return 12345u; });
    press(form.get(), Qt::Key_R, false);
    EXPECT_EQ(position(), 1);
    EXPECT_TRUE(form->LabelProgress->text().contains(QStringLiteral("加强练习")));
    press(form.get(), Qt::Key_Z, false);
    EXPECT_TRUE(form->autoAdvance());
    EXPECT_FALSE(form->ImgNext->isVisibleTo(form.get()));
    press(form.get(), Qt::Key_Z, false);
    EXPECT_FALSE(form->autoAdvance());
    for (ImageButton *button : {form->ImgSxlx, form->ImgJqlx, form->ImgChk})
        EXPECT_TRUE(button->toolTip().contains(QStringLiteral("键"))) << button->objectName().toStdString();
}

// ---- the menu ----

class MenuKeysTest : public MenuTest
{
protected:
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
