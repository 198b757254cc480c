// Questions read aloud in the windows: V and the speaker button, the auto-read switch and its
// setting, a new question stopping the old one, the notice without a voice; through a recording
// speech output.

#include "PracticeFixture.h"
#include "RecordingSpeech.h"

#include "app/ExamWindow.h"
#include "app/Progress.h"
#include "app/Unit1.h"
#include "exam/ProgressStore.h"
#include "practice/QuestionText.h"
#include "ui/LearnerSettings.h"

#include <QPushButton>

namespace kemuyi::test {
namespace {

class ReadAloudTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        form->setSpeech(&speech);
        showFor(QStringLiteral("C1C2C3C4"));
    }

    void press(Qt::Key key) { QTest::keyClick(form.get(), key); }
    // The words of the question on screen, as the reader is given them.
    QString spokenNow()
    {
        form->bank().SelectQuestion(form->run().CurrentQuestionId);
        return spokenQuestionText(position(), form->bank().CurrentQuestion(
                                                  {Column::Subject, Column::A, Column::B, Column::C, Column::D, Column::Select}));
    }

    RecordingSpeech speech;
};

TEST_F(ReadAloudTest, VReadsTheShownQuestionAndASecondVStops)
{
    press(Qt::Key_V); // no question shown yet
    EXPECT_TRUE(speech.said.isEmpty());
    form->ImgSxlxClick();
    press(Qt::Key_V);
    ASSERT_EQ(speech.said.size(), 1);
    EXPECT_EQ(speech.said.first(), spokenNow());
    EXPECT_TRUE(speech.said.first().startsWith(QStringLiteral("第1题。")));
    press(Qt::Key_V);
    EXPECT_EQ(speech.stops, 1);
    form->ImgRead->click(); // the speaker button does what V does
    EXPECT_EQ(speech.said.size(), 2);
    form->ImgNextClick(); // a new question stops the one still speaking; auto-read is off
    EXPECT_EQ(speech.stops, 2);
    EXPECT_EQ(speech.said.size(), 2);
    press(Qt::Key_Escape); // and leaving stops it too
    EXPECT_EQ(speech.stops, 2) << "nothing was speaking";
}

TEST_F(ReadAloudTest, AutoReadReadsEachNewQuestionAndIsRemembered)
{
    form->ImgSxlxClick();
    press(Qt::Key_Y);
    EXPECT_TRUE(savedAutoRead());
    EXPECT_TRUE(status().contains(QStringLiteral("自动朗读已打开")));
    ASSERT_EQ(speech.said.size(), 1); // the question on screen at once
    form->ImgNextClick();
    EXPECT_EQ(speech.stops, 1) << "the first was still speaking";
    ASSERT_EQ(speech.said.size(), 2);
    EXPECT_EQ(speech.said.last(), spokenNow());
    press(Qt::Key_Escape);
    EXPECT_EQ(speech.stops, 2);

    // A new window, as after a restart, starts with the switch as it was left.
    RecordingSpeech other;
    TForm2 again;
    again.setSpeech(&other);
    again.Edit1->setText(QStringLiteral("C1C2C3C4"));
    again.show();
    again.ImgSxlxClick();
    EXPECT_EQ(other.said.size(), 1);
    QTest::keyClick(&again, Qt::Key_Y);
    EXPECT_FALSE(savedAutoRead());
    again.ImgNextClick();
    EXPECT_EQ(other.said.size(), 1);
}

TEST_F(ReadAloudTest, WithoutAVoiceTheStatusLineSaysSoOnce)
{
    speech.hasVoice = false;
    form->ImgSxlxClick();
    press(Qt::Key_V);
    EXPECT_EQ(status(), QStringLiteral(" 未找到中文语音，无法朗读。"));
    form->ImgBClick();
    press(Qt::Key_V);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。恭喜！您答对了！")) << "said once only";
    EXPECT_TRUE(speech.said.isEmpty());
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(ReadAloudTest, TheSpeakerButtonIsNamedAndItsTooltipGivesItsKeys)
{
    EXPECT_EQ(form->ImgRead->accessibleName(), QStringLiteral("朗读题目"));
    EXPECT_TRUE(form->ImgRead->toolTip().contains(QStringLiteral("V键")));
    EXPECT_TRUE(form->ImgRead->toolTip().contains(QStringLiteral("Y键")));
    EXPECT_EQ(form->ImgRead->geometry(), QRect(395, 48, 34, 40));
    EXPECT_EQ(pictureName(form->ImgRead->picture()), QStringLiteral("ld.jpg"));
}

TEST_F(ReadAloudTest, TheExamAndTheDrillReadTheSameWay)
{
    QString basis = QStringLiteral("BEGIN; CREATE TABLE BASIS (ID INTEGER PRIMARY KEY, basis TEXT);");
    execOnBank(workingCopyPath(), basis + QStringLiteral("COMMIT;"));
    LearnerProgress progress(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
    ExamWindow exam(form->bank(), &progress);
    exam.setSpeech(&speech);
    exam.prepare(QStringLiteral("C1C2C3C4"));
    exam.show();
    QTest::keyClick(&exam, Qt::Key_V); // the start page has no question
    EXPECT_TRUE(speech.said.isEmpty());
    exam.startClicked();
    QTest::keyClick(&exam, Qt::Key_V);
    ASSERT_EQ(speech.said.size(), 1);
    EXPECT_TRUE(speech.said.first().startsWith(QStringLiteral("第1题。")));
    QTest::keyClick(&exam, Qt::Key_Y); // auto-read on: the next question is read as it is shown
    exam.nextClicked();
    EXPECT_TRUE(speech.said.last().startsWith(QStringLiteral("第2题。"))) << speech.said.join(QLatin1Char('|')).toStdString();
    const int saidBefore = int(speech.said.size());
    exam.answer(ChoiceA); // answering does not read again
    EXPECT_EQ(speech.said.size(), saidBefore);
    EXPECT_EQ(exam.readButton->accessibleName(), QStringLiteral("朗读题目"));
    EXPECT_TRUE(exam.readButton->toolTip().contains(QStringLiteral("V键")));

    // The drill: read once when shown; the answer shows it again with its rule, unread.
    exam.close();
    progress.store()->recordAnswer(progress.bank(), answerInNewRun(103, false));
    exam.prepare(QStringLiteral("C1C2C3C4"));
    exam.show();
    exam.drillClicked();
    ASSERT_EQ(exam.page(), ExamWindow::Page::Drill);
    const int drillStart = int(speech.said.size());
    ASSERT_GE(drillStart, 1);
    EXPECT_TRUE(speech.said.last().startsWith(QStringLiteral("第1题。")));
    exam.answer(ChoiceC);
    EXPECT_EQ(speech.said.size(), drillStart);
}

using MenuSettings = ProgramFolderTest;

TEST_F(MenuSettings, YOnTheMenuTurnsAutoReadAndTheButtonSaysSo)
{
    TForm1 menu;
    menu.show();
    EXPECT_FALSE(savedAutoRead());
    EXPECT_EQ(menu.autoReadButton->text(), QStringLiteral("自动朗读：关（Y）"));
    QTest::keyClick(&menu, Qt::Key_Y);
    EXPECT_TRUE(savedAutoRead());
    EXPECT_EQ(menu.autoReadButton->text(), QStringLiteral("自动朗读：开（Y）"));
    menu.autoReadButton->click();
    EXPECT_FALSE(savedAutoRead());
    EXPECT_TRUE(menu.autoReadButton->toolTip().contains(QStringLiteral("Y键")));
}

} // namespace
} // namespace kemuyi::test
