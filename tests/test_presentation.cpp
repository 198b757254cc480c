#include "PracticeFixture.h"

#include "practice/QuestionText.h"

#include <QTest>
#include <QTimer>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

Question stemAndOptions(const QString &subject, const QString &a = {}, const QString &b = {},
                        const QString &c = {}, const QString &d = {})
{
    Question question;
    question.subject = subject;
    question.a = a;
    question.b = b;
    question.c = c;
    question.d = d;
    return question;
}

} // namespace

TEST(QuestionText, ComposesNumberStemAndOptionsExactly)
{
    const QString text = composeQuestionText(12, stemAndOptions(QStringLiteral("S"), QStringLiteral("P"), QStringLiteral("Q"),
                                                                QStringLiteral("R"), QStringLiteral("T")));
    EXPECT_EQ(text, QStringLiteral("\r\n  (12) S\r\n\r\n    P\r\n\r\n    Q\r\n\r\n    R\r\n\r\n    T"));
    EXPECT_EQ(composeQuestionText(3, stemAndOptions(QStringLiteral("判断"))),
              QStringLiteral("\r\n  (3) 判断\r\n\r\n    \r\n\r\n    \r\n\r\n    \r\n\r\n    "));
}

TEST(QuestionText, StatusLinesForEveryChoice)
{
    const QStringList expected = {QString(),
                                  QStringLiteral(" 您选择的是A。"),
                                  QStringLiteral(" 您选择的是B。"),
                                  QStringLiteral(" 您选择的是C。"),
                                  QStringLiteral(" 您选择的是D。"),
                                  QStringLiteral(" 您选择的是正确。"),
                                  QStringLiteral(" 您选择的是错误。")};
    for (int choice = 0; choice <= 6; ++choice)
        EXPECT_EQ(choiceStatusText(choice), expected.at(choice)) << choice;
    EXPECT_EQ(rightAnswerText(QStringLiteral("A")), QStringLiteral(" 您选择的是A。恭喜！您答对了！"));
    EXPECT_EQ(wrongAnswerText(QStringLiteral("错误")), QStringLiteral(" 您选择的是错误。抱歉！您答错了！"));
    EXPECT_EQ(hintText(QStringLiteral("C")), QStringLiteral(" 正确的答案应该是：C"));
}

TEST_F(PracticeWindowTest, SequentialStartShowsTheFirstQuestion)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    EXPECT_EQ(form->run().CurrentQuestionId, 101);
    EXPECT_EQ(form->Label1->text(), composeQuestionText(1, stemAndOptions(QStringLiteral("题目101"), QStringLiteral("甲101"),
                                                                          QStringLiteral("乙101"), QStringLiteral("丙101"),
                                                                          QStringLiteral("丁101"))));
    EXPECT_EQ(pictureName(form->Image2->picture()), QStringLiteral("pic/sign.jpg"));
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));
    EXPECT_TRUE(choiceButtonsShown());
    EXPECT_FALSE(form->ImgPrev->isEnabled());
    EXPECT_TRUE(form->ImgNext->isEnabled());

    form->ImgNextClick(); // a true/false question without a picture
    EXPECT_TRUE(judgeButtonsShown());
    EXPECT_TRUE(form->Image2->picture().isNull());
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("\r\n  (2) 判断102")));
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(PracticeWindowTest, AnswersAreJudgedAndRestatedOnReturn)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgAClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是A。抱歉！您答错了！"));
    EXPECT_EQ(feedback(), QStringLiteral("no.jpg"));
    form->ImgBClick(); // the same question again: the second choice counts
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。恭喜！您答对了！"));
    EXPECT_EQ(feedback(), QStringLiteral("yes.jpg"));
    EXPECT_EQ(choiceAt(1), ChoiceB);

    form->ImgNextClick();
    form->ImgCuoClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是错误。抱歉！您答错了！"));
    form->ImgDuiClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是正确。恭喜！您答对了！"));

    form->ImgPrevClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。"));
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));
    form->ImgNextClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是正确。"));
}

TEST_F(PracticeWindowTest, AnAnswerOfTheOtherKindIsRecordedButNotJudged)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgNextClick(); // true/false
    form->ImgAClick();
    EXPECT_EQ(choiceAt(2), ChoiceA);
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));
    form->ImgNextClick();
    form->ImgPrevClick();
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是A。"));
}

TEST_F(PracticeWindowTest, AnUnknownKindShowsTrueFalseButJudgesNothing)
{
    Question odd = choiceRow(5, QStringLiteral("M"), QStringLiteral("A"));
    odd.select = QStringLiteral("X");
    writeBank(workingCopyPath(), {odd});
    showFor(QStringLiteral("M"));
    form->ImgSxlxClick();
    EXPECT_TRUE(judgeButtonsShown());
    for (auto click : {&TForm2::ImgAClick, &TForm2::ImgDuiClick, &TForm2::ImgCuoClick}) {
        (form.get()->*click)();
        EXPECT_EQ(status(), QString());
    }
    EXPECT_EQ(choiceAt(1), ChoiceFalse);
}

TEST_F(PracticeWindowTest, ADisabledAnswerButtonRecordsTheChoiceButNeverJudges)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgB->setEnabled(false);
    form->ImgBClick(); // the right answer, through its handler, with the button disabled
    EXPECT_EQ(choiceAt(1), ChoiceB);
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));
    QTest::keyClick(form.get(), Qt::Key_8, Qt::KeypadModifier); // the key of a disabled button: nothing
    form->ImgCClick();
    QTest::keyClick(form.get(), Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(choiceAt(1), ChoiceC);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是C。抱歉！您答错了！"));
}

TEST_F(PracticeWindowTest, HintShowsTheAnswerAndChangesNoChoice)
{
    showFor(QStringLiteral("C1C2C3C4"));
    // Before any mode the current record is the last row the count query met.
    form->ImgHelpClick();
    EXPECT_EQ(status(), QStringLiteral(" 正确的答案应该是：错误"));

    form->ImgSxlxClick();
    form->ImgHelpClick();
    EXPECT_EQ(status(), QStringLiteral(" 正确的答案应该是：B"));
    EXPECT_EQ(choiceAt(1), ChoiceNone);
}

TEST_F(PracticeWindowTest, AnswersBeforeAModeChangeNothing)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgCClick();
    form->hide();
    showFor(QStringLiteral("C1C2C3C4")); // a new showing: no run until a mode starts
    form->ImgAClick();
    form->ImgDuiClick();
    EXPECT_EQ(choiceAt(1), ChoiceC);
    EXPECT_EQ(status(), QString());
}

TEST_F(PracticeWindowTest, MissingIllustrationShowsTheTextAndKeepsTheRest)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("pic/sign.jpg"));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlx->click();
    form->ImgNextClick();
    form->ImgCuoClick();
    ASSERT_EQ(status(), QStringLiteral(" 您选择的是错误。抱歉！您答错了！"));
    failures.clear();

    form->ImgPrev->click(); // back to the question whose picture is missing
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().first().contains(QStringLiteral("sign.jpg")));
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("\r\n  (1) 题目101")));
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是错误。抱歉！您答错了！"));
    EXPECT_EQ(feedback(), QStringLiteral("no.jpg"));
    EXPECT_TRUE(judgeButtonsShown());
    EXPECT_TRUE(form->ImgPrev->isEnabled());
}

TEST_F(PracticeWindowTest, UnreadableRowsAndUnsafePictureNamesFailBeforeTheTextChanges)
{
    QVector<Question> rows = practiceRows();
    rows[1].pic = QStringLiteral("../../secret");
    // A picture really lies where that name leads, outside the program's pic/ folder.
    writeJpeg(sandbox.path(QStringLiteral("secret.jpg")), solidImage(20, 20, qRgb(9, 9, 9)));
    writeBank(workingCopyPath(), rows);
    execOnBank(workingCopyPath(), QStringLiteral("UPDATE TK SET c = NULL WHERE ID = 103;"
                                                 "UPDATE TK SET pic = NULL WHERE ID = 104"));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();

    form->ImgNext->click();
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().first().contains(QStringLiteral("../../secret")));
    EXPECT_TRUE(failures.messages().first().contains(QStringLiteral("已拒绝加载")));
    EXPECT_EQ(pictureName(form->Image2->picture()), QStringLiteral("pic/sign.jpg")); // kept, not replaced
    const QString second = form->Label1->text();
    EXPECT_TRUE(second.startsWith(QStringLiteral("\r\n  (2)")));

    form->ImgNext->click();
    ASSERT_EQ(failures.messages().size(), 2);
    EXPECT_TRUE(failures.messages().last().contains(QStringLiteral("c")));
    EXPECT_EQ(form->Label1->text(), second);
    EXPECT_EQ(position(), 3); // the step itself happened; only its display failed

    form->ImgNext->click();
    ASSERT_EQ(failures.messages().size(), 3);
    EXPECT_TRUE(failures.messages().last().contains(QStringLiteral("pic")));
    EXPECT_EQ(form->Label1->text(), second);
}

// ---- auto-advance ----

class AutoAdvanceTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
        form->ImgChkClick();
        ASSERT_TRUE(form->autoAdvance());
    }
};

TEST_F(AutoAdvanceTest, AJudgedAnswerMovesOnAfterTheWait)
{
    form->ImgAClick(); // wrong, still judged
    EXPECT_EQ(position(), 2);
    form->ImgDuiClick();
    EXPECT_EQ(position(), 3);
    form->ImgAClick(); // A on the last choice question: wrong, judged
    EXPECT_EQ(position(), 4);
    form->ImgAClick(); // the other kind: recorded, not judged, no move
    EXPECT_EQ(position(), 4);
    form->ImgCuoClick(); // the last question: Next is disabled, no wait and no move
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是错误。恭喜！您答对了！"));
}

// A wait handles pending events; a timer due at once tells whether one ran.
TEST_F(AutoAdvanceTest, NoWaitAfterAnAnswerOnTheLastQuestion)
{
    form->ImgNextClick();
    form->ImgNextClick();
    bool handledDuringTheAnswer = false;
    QTimer::singleShot(0, form.get(), [&] { handledDuringTheAnswer = true; });
    form->ImgCClick(); // Next is enabled: the answer waits, then steps
    EXPECT_TRUE(handledDuringTheAnswer);
    ASSERT_EQ(position(), 4);

    handledDuringTheAnswer = false;
    QTimer::singleShot(0, form.get(), [&] { handledDuringTheAnswer = true; });
    form->ImgCuoClick(); // the last question: judged, and no wait at all
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是错误。恭喜！您答对了！"));
    EXPECT_FALSE(handledDuringTheAnswer);
    QTest::qWait(0);
    EXPECT_TRUE(handledDuringTheAnswer);
    EXPECT_EQ(position(), 4);
}

TEST_F(AutoAdvanceTest, NextDuringTheWaitOnTheSecondToLastEndsOnTheLast)
{
    form->ImgNextClick();
    form->ImgNextClick();
    ASSERT_EQ(position(), 3);
    QTimer::singleShot(5, form.get(), [this] { form->ImgNextClick(); });
    form->ImgCClick();
    EXPECT_EQ(position(), 4);
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("\r\n  (4)")));
}

// A second answer to the question on screen is judged there, but the run still moves only once:
// a double press never skips the next question.
TEST_F(AutoAdvanceTest, AnotherAnswerDuringTheWaitIsJudgedButOwesNoStep)
{
    QVector<qint32> positionsAfterAnswers;
    QString statusDuringTheWait;
    QTimer::singleShot(5, form.get(), [&] {
        form->ImgCClick();
        statusDuringTheWait = status();
        positionsAfterAnswers.append(position());
    });
    form->ImgBClick();
    positionsAfterAnswers.append(position());
    EXPECT_EQ(positionsAfterAnswers, (QVector<qint32>{1, 2}));
    EXPECT_EQ(statusDuringTheWait, QStringLiteral(" 您选择的是C。抱歉！您答错了！"));
    EXPECT_EQ(choiceAt(1), ChoiceC);
    QTest::qWait(80);
    EXPECT_EQ(position(), 2);
}

TEST_F(AutoAdvanceTest, StepsTakenDuringTheWaitCancelTheStepOfTheQuestionLeft)
{
    // Next during the wait moves once, and the wait then takes no further step.
    QTimer::singleShot(5, form.get(), [this] { form->ImgNextClick(); });
    form->ImgBClick();
    EXPECT_EQ(position(), 2);
    // Away and back during the wait: the question is shown anew and waits for its own answer.
    QTimer::singleShot(5, form.get(), [this] {
        form->ImgPrevClick();
        form->ImgNextClick();
    });
    form->ImgDuiClick();
    QTest::qWait(80);
    EXPECT_EQ(position(), 2);
}

TEST_F(AutoAdvanceTest, SwitchedOffTheRunNeverMovesByItself)
{
    form->ImgChkClick();
    ASSERT_FALSE(form->autoAdvance());
    form->ImgBClick();
    QTest::qWait(80);
    EXPECT_EQ(position(), 1);
}

TEST_F(AutoAdvanceTest, SwitchingOffDuringTheWaitDoesNotCancelTheStep)
{
    QTimer::singleShot(5, form.get(), [this] { form->ImgChkClick(); });
    form->ImgBClick();
    EXPECT_FALSE(form->autoAdvance());
    EXPECT_EQ(position(), 2);
}
