// The mock-exam window and what the practice window gained: a whole exam on the keypad alone,
// give-up and hand-in, time-out, the result with the rule behind each missed answer, the
// wrong-question book across restarts, the score history, and the practice window's additions.

#include "PracticeFixture.h"

#include "app/Progress.h"
#include "app/ScoreChart.h"
#include "app/ExamWindow.h"
#include "exam/ProgressStore.h"
#include "ui/ExplanationPanel.h"

#include <QTimer>

namespace kemuyi::test {
namespace {

// 120 car questions (ids 1..120: odd ones single choice with answer C, even ones true/false
// "正确"), each with its basis; 10 motorcycle questions.
QVector<Question> examRows()
{
    QVector<Question> rows;
    for (int id = 1; id <= 120; ++id)
        rows.append(id % 2 ? choiceRow(id, QStringLiteral("C1C2C3C4"), QStringLiteral("C"))
                           : judgeRow(id, QStringLiteral("C1C2C3C4"), QStringLiteral("正确")));
    for (int id = 901; id <= 910; ++id)
        rows.append(judgeRow(id, QStringLiteral("DEF"), QStringLiteral("错误")));
    return rows;
}

void press(QWidget *window, Qt::Key key, bool keypad = true)
{
    QTest::keyClick(window, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
}

class ExamWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeAllPictures(sandbox.appDir());
        writeBank(workingCopyPath(), examRows());
        QString basis = QStringLiteral("BEGIN; CREATE TABLE BASIS (ID INTEGER PRIMARY KEY, basis TEXT);");
        for (int id = 1; id <= 120; ++id)
            basis += QStringLiteral("INSERT INTO BASIS VALUES (%1, '条例第%1条');").arg(id);
        execOnBank(workingCopyPath(), basis + QStringLiteral("COMMIT;"));
        restart();
    }

    // A new program run: new windows and a new connection to the same progress file.
    void restart()
    {
        form.reset();
        bank.OpenBank();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form = std::make_unique<ExamWindow>(bank, progress.get());
        form->setClock([this] { return now; });
        form->prepare(QStringLiteral("C1C2C3C4"));
        form->show();
    }

    // The keypad key that answers the exam's current question right (or wrong).
    Qt::Key keyFor(bool right) const
    {
        const PaperQuestion &q = form->session()->question(form->session()->position());
        if (q.correct == 3)
            return right ? Qt::Key_9 : Qt::Key_7; // C / A
        return right ? Qt::Key_4 : Qt::Key_5;     // 对 / 错
    }

    ProgressStore &store() { return *progress->store(); }

    Sandbox sandbox;
    FailureLog failures;
    BankStore bank;
    qint64 now = 1'800'000'000'000;
    std::unique_ptr<LearnerProgress> progress;
    std::unique_ptr<ExamWindow> form;
};

TEST_F(ExamWindowTest, WindowShapeAndStartPage)
{
    EXPECT_EQ(form->size(), QSize(690, 450));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form->isModal());
    EXPECT_EQ(form->page(), ExamWindow::Page::Start);
    EXPECT_TRUE(form->startButton->isVisible());
    EXPECT_TRUE(form->drillButton->isVisible());
    EXPECT_FALSE(form->drillButton->isEnabled()) << "an empty book has nothing to drill";
    EXPECT_TRUE(form->rulesLabel->text().contains(QStringLiteral("共100题，限时45分钟，每题1分")));
    EXPECT_TRUE(form->rulesLabel->text().contains(QStringLiteral("错题本：0 题")));
    EXPECT_FALSE(form->aButton->isVisible());
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(ExamWindowTest, WholeExamOnTheKeypadAloneThenResultAndHistory)
{
    press(form.get(), Qt::Key_Enter); // 开始考试
    ASSERT_EQ(form->page(), ExamWindow::Page::Exam);
    ASSERT_EQ(form->session()->size(), 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(form->session()->position(), i);
        press(form.get(), keyFor(i >= 8)); // the first eight wrong
        press(form.get(), Qt::Key_Enter);
    }
    EXPECT_EQ(form->session()->answeredCount(), 100);
    EXPECT_TRUE(form->titleBand->text().contains(QStringLiteral("已答 100 题")));
    now += 20 * 60 * 1000 + 5000;
    press(form.get(), Qt::Key_Asterisk); // 交卷
    EXPECT_EQ(form->page(), ExamWindow::Page::Confirm);
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("全部题目已作答")));
    press(form.get(), Qt::Key_Enter); // 确认
    ASSERT_EQ(form->page(), ExamWindow::Page::Result);
    EXPECT_TRUE(form->questionLabel->text().contains(QStringLiteral("成绩：92 分")));
    EXPECT_TRUE(form->questionLabel->text().contains(QStringLiteral("用时：20:05")));
    EXPECT_TRUE(form->titleBand->text().contains(QStringLiteral("合格")));

    // The missed questions one by one, with the right answer and its rule.
    press(form.get(), Qt::Key_Enter);
    EXPECT_EQ(form->reviewIndex(), 0);
    const PaperQuestion first = form->session()->question(0);
    // Beside the right answer, over the question: the explanation and the rule.
    ASSERT_TRUE(form->explanationPanel->isOpen());
    const QString shown = form->explanationPanel->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("依据：条例第%1条").arg(first.id))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("正确答案：%1").arg(first.correct == 3 ? "C" : "正确")));
    EXPECT_FALSE(form->questionLabel->text().contains(QStringLiteral("依据"))) << "nothing runs under the picture";
    press(form.get(), Qt::Key_E, false); // the question again
    EXPECT_FALSE(form->explanationPanel->isOpen());
    press(form.get(), Qt::Key_E, false);
    EXPECT_TRUE(form->explanationPanel->isOpen());
    for (int i = 0; i < 10; ++i)
        press(form.get(), Qt::Key_Enter);
    EXPECT_EQ(form->reviewIndex(), 7) << "eight missed questions, no further";

    press(form.get(), Qt::Key_0); // back to the start page: book and history
    EXPECT_EQ(form->page(), ExamWindow::Page::Start);
    EXPECT_EQ(form->bookCount(), 8);
    ASSERT_EQ(form->scoreChart->scores().size(), 1);
    EXPECT_EQ(form->scoreChart->scores().first().score, 92);
    EXPECT_TRUE(form->scoreChart->scores().first().passed);
    EXPECT_EQ(form->scoreChart->scores().first().durationMs, 20 * 60 * 1000 + 5000);
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(ExamWindowTest, GiveUpAndHandInConfirmationCountTheUnanswered)
{
    form->startClicked();
    press(form.get(), keyFor(true));
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_Enter);
    press(form.get(), keyFor(true)); // positions 0 and 2 answered
    form->session()->goTo(0);
    press(form.get(), Qt::Key_Minus); // 放弃: to the next unanswered
    EXPECT_EQ(form->session()->position(), 1);
    press(form.get(), Qt::Key_G, false);
    EXPECT_EQ(form->session()->position(), 3) << "G is give-up without a keypad";

    press(form.get(), Qt::Key_J, false); // 交卷 without a keypad
    ASSERT_EQ(form->page(), ExamWindow::Page::Confirm);
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("还有 98 题未答")));
    press(form.get(), keyFor(true)); // no answering while the question is put
    EXPECT_EQ(form->session()->answeredCount(), 2);
    press(form.get(), Qt::Key_0); // 继续答题
    EXPECT_EQ(form->page(), ExamWindow::Page::Exam);
    EXPECT_EQ(form->session()->position(), 3);
    form->handInClicked();
    form->confirmClicked();
    EXPECT_EQ(form->session()->result()->unanswered, 98);
    EXPECT_EQ(form->session()->result()->score, 2);
}

TEST_F(ExamWindowTest, AnswerKeysOfTheOtherKindAreIgnored)
{
    form->startClicked();
    const bool choice = form->session()->question(0).correct != 5;
    press(form.get(), choice ? Qt::Key_4 : Qt::Key_7);
    EXPECT_EQ(form->session()->choiceAt(0), 0);
    press(form.get(), choice ? Qt::Key_A : Qt::Key_T, false);
    EXPECT_EQ(form->session()->choiceAt(0), choice ? 1 : 5) << "letters answer as the keypad does";
}

TEST_F(ExamWindowTest, TimeOutHandsInWhatIsThere)
{
    form->startClicked();
    press(form.get(), keyFor(true));
    now += 44 * 60 * 1000;
    form->tick();
    EXPECT_EQ(form->page(), ExamWindow::Page::Exam);
    EXPECT_TRUE(form->titleBand->text().contains(QStringLiteral("剩余时间 01:00")));
    now += 60 * 1000;
    form->tick();
    ASSERT_EQ(form->page(), ExamWindow::Page::Result);
    EXPECT_TRUE(form->session()->result()->timedOut);
    EXPECT_TRUE(form->questionLabel->text().contains(QStringLiteral("考试时间到")));
    EXPECT_TRUE(form->questionLabel->text().contains(QStringLiteral("用时：45:00")));
    EXPECT_EQ(form->scoreChart->scores().size(), 0);
    EXPECT_EQ(store().recentScores(QStringLiteral("C1C2C3C4"), 20).size(), 1);
}

TEST_F(ExamWindowTest, ExamLeftOpenResumesAfterARestartOnTheSameClock)
{
    form->startClicked();
    const qint32 firstId = form->session()->question(0).id;
    press(form.get(), Qt::Key_Enter);
    press(form.get(), keyFor(true));
    press(form.get(), Qt::Key_Enter);
    press(form.get(), keyFor(false));
    now += 10 * 60 * 1000;
    restart(); // as after a kill: nothing was handed in

    EXPECT_TRUE(form->rulesLabel->text().contains(QStringLiteral("尚未交卷")));
    press(form.get(), Qt::Key_Enter);
    ASSERT_EQ(form->page(), ExamWindow::Page::Exam);
    EXPECT_EQ(form->session()->question(0).id, firstId);
    EXPECT_EQ(form->session()->answeredCount(), 2);
    EXPECT_EQ(form->session()->position(), 0) << "on at the first unanswered question";
    form->answer(form->session()->question(0).correct);
    restart();
    form->startClicked();
    EXPECT_EQ(form->session()->position(), 3);
    EXPECT_EQ(form->session()->remainingMs(), 35 * 60 * 1000);

    now += 40 * 60 * 1000; // the time ran out while the program was closed
    restart();
    form->startClicked();
    ASSERT_EQ(form->page(), ExamWindow::Page::Result);
    EXPECT_TRUE(form->session()->result()->timedOut);
    EXPECT_EQ(form->session()->result()->right, 2);
}

TEST_F(ExamWindowTest, WrongQuestionBookDrillsAcrossRestartsUntilTwoRightInARow)
{
    const QString bank = progress->bank();
    store().recordAnswer(bank, answerInNewRun(3, false));   // choice, answer C
    store().recordAnswer(bank, answerInNewRun(4, false));   // true/false, answer 正确
    store().recordAnswer(bank, answerInNewRun(905, false)); // another category: not drilled here
    form->prepare(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(form->bookCount(), 2);
    EXPECT_TRUE(form->drillButton->isEnabled());
    EXPECT_TRUE(form->rulesLabel->text().contains(QStringLiteral("错题本：2 题")));

    press(form.get(), Qt::Key_Slash); // 错题练习
    ASSERT_EQ(form->page(), ExamWindow::Page::Drill);
    press(form.get(), Qt::Key_9); // question 3: C, right
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("恭喜")));
    EXPECT_EQ(pictureName(form->verdictPicture->picture()), QStringLiteral("yes.jpg"));
    EXPECT_TRUE(form->explanationPanel->isOpen());
    EXPECT_TRUE(form->explanationPanel->toPlainText().contains(QStringLiteral("依据：条例第3条")));
    press(form.get(), Qt::Key_Enter);
    EXPECT_FALSE(form->explanationPanel->isOpen()) << "the next question closes it";
    press(form.get(), Qt::Key_5); // question 4: 错, wrong
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("正确答案：正确")));
    EXPECT_EQ(pictureName(form->verdictPicture->picture()), QStringLiteral("no.jpg"));
    press(form.get(), Qt::Key_4); // right on a second try: judged, but the wrong answer counts
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("恭喜")));

    restart();
    EXPECT_EQ(form->bookCount(), 2) << "one right answer is not enough";
    now += 60 * 60 * 1000; // the next day's drill: a run of its own
    form->drillClicked();
    press(form.get(), Qt::Key_C, false); // right again: out of the book
    restart();
    EXPECT_EQ(form->bookCount(), 1);
    EXPECT_EQ(store().bookQuestions(bank), (QVector<qint32>{4, 905}));
    form->drillClicked();
    press(form.get(), Qt::Key_T, false); // question 4 right: the first of two, as the second try did not count
    restart();
    EXPECT_EQ(store().bookQuestions(bank), (QVector<qint32>{4, 905}));
}

TEST_F(ExamWindowTest, TheChosenAnswerIsFramedInTheExamAndTheDrill)
{
    const auto framed = [this] {
        return framedButtons(*form, {form->aButton, form->bButton, form->cButton, form->dButton, form->trueButton,
                                     form->falseButton});
    };
    press(form.get(), Qt::Key_Enter); // 开始考试
    ASSERT_EQ(form->page(), ExamWindow::Page::Exam);
    EXPECT_TRUE(framed().isEmpty());
    const bool choiceFirst = form->session()->question(0).correct == 3;
    press(form.get(), choiceFirst ? Qt::Key_8 : Qt::Key_5); // B, or 错
    const QStringList first{choiceFirst ? QStringLiteral("bButton") : QStringLiteral("falseButton")};
    EXPECT_EQ(framed(), first);
    press(form.get(), Qt::Key_Enter);
    EXPECT_TRUE(framed().isEmpty());
    press(form.get(), Qt::Key_Plus); // back: the answer given there is framed again
    EXPECT_EQ(framed(), first);

    store().recordAnswer(progress->bank(), answerInNewRun(3, false));
    restart();
    form->drillClicked();
    ASSERT_EQ(form->page(), ExamWindow::Page::Drill);
    EXPECT_TRUE(framed().isEmpty());
    press(form.get(), Qt::Key_7); // A, wrong: judged, and framed
    EXPECT_EQ(framed(), QStringList{QStringLiteral("aButton")});
}

TEST_F(ExamWindowTest, MotorcycleExamFollowsItsRulesOnASmallCategory)
{
    form->prepare(QStringLiteral("DEF"));
    EXPECT_TRUE(form->rulesLabel->text().contains(QStringLiteral("共50题，限时30分钟，每题2分")));
    form->startClicked();
    ASSERT_EQ(form->session()->size(), 10) << "a category smaller than the paper gives all it has";
    EXPECT_EQ(form->session()->remainingMs(), 30 * 60 * 1000);
    for (int i = 0; i < 10; ++i) {
        press(form.get(), i < 9 ? Qt::Key_5 : Qt::Key_4);
        press(form.get(), Qt::Key_Enter);
    }
    form->handInClicked();
    form->confirmClicked();
    EXPECT_EQ(form->session()->result()->score, 90);
    EXPECT_TRUE(form->session()->result()->passed);
}

TEST_F(ExamWindowTest, EmptyCategoryStartsNoExamAndNoProgressFileStillWorks)
{
    form->prepare(QStringLiteral("M"));
    form->startClicked();
    EXPECT_EQ(form->page(), ExamWindow::Page::Start);
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("没有题目")));

    ExamWindow bare(bank, nullptr);
    bare.prepare(QStringLiteral("C1C2C3C4"));
    bare.startClicked();
    EXPECT_EQ(bare.page(), ExamWindow::Page::Exam);
    bare.answer(bare.session()->question(0).correct);
    bare.handInClicked();
    bare.confirmClicked();
    EXPECT_EQ(bare.session()->result()->right, 1);
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(ExamWindowTest, UnusableProgressFileIsReportedOnceAndTheExamGoesOn)
{
    form.reset();
    writeBytes(sandbox.path(QStringLiteral("blocked")), "a file where the folder should be");
    progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("blocked/progress.db")), workingCopyPath());
    form = std::make_unique<ExamWindow>(bank, progress.get());
    form->prepare(QStringLiteral("C1C2C3C4"));
    form->startClicked();
    form->answer(form->session()->question(0).correct);
    form->handInClicked();
    form->confirmClicked();
    EXPECT_EQ(form->page(), ExamWindow::Page::Result);
    ASSERT_EQ(failures.messages().size(), 1) << failures.messages().join('\n').toStdString();
    // The box's own full-stop rule may still add to the message; what the program says comes first.
    EXPECT_TRUE(failures.messages().first().startsWith(
        QStringLiteral("学习记录文件夹 %1 无法创建（路径中有同名的文件），本次的练习和考试成绩不会保存。")
            .arg(sandbox.path(QStringLiteral("blocked")))))
        << failures.messages().first().toStdString();
}

// ---- the practice window's additions ----

class PracticeAdditionsTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form->setProgress(progress.get());
    }
    QString line() const { return form->LabelProgress->text(); }
    std::unique_ptr<LearnerProgress> progress;
};

TEST_F(PracticeAdditionsTest, MockExamButtonAndProgressLineSitInTheFreeSpace)
{
    showFor(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(QRect(form->ImgMnks->mapTo(form.get(), QPoint(0, 0)), form->ImgMnks->size()), QRect(16, 268, 110, 30));
    EXPECT_EQ(pictureName(form->ImgMnks->picture()), QStringLiteral("mnks.jpg"));
    EXPECT_EQ(form->ImgMnks->accessibleName(), QStringLiteral("模拟考试"));
    const QRect band(form->LabelProgress->mapTo(form.get(), QPoint(0, 0)), form->LabelProgress->size());
    EXPECT_LE(band.bottom(), 47);
    // Nothing of the window's own is covered.
    for (QWidget *own : {static_cast<QWidget *>(form->ImgChk), static_cast<QWidget *>(form->ImgSxlx),
                         static_cast<QWidget *>(form->ImgA), static_cast<QWidget *>(form->ImgHelp)}) {
        EXPECT_FALSE(own->geometry().intersects(band)) << own->objectName().toStdString();
        EXPECT_FALSE(own->geometry().intersects(QRect(16, 268, 110, 30))) << own->objectName().toStdString();
    }
    EXPECT_TRUE(line().contains(QStringLiteral("顺序练习")) && line().contains(QStringLiteral("加强练习")));
    form->CMMouseEnter(form->ImgMnks);
    EXPECT_EQ(pictureName(form->ImgMnks->picture()), QStringLiteral("mnks_ovr.jpg"));
    form->CMMouseLeave(form->ImgMnks);
    EXPECT_EQ(pictureName(form->ImgMnks->picture()), QStringLiteral("mnks.jpg"));
    for (ImageButton *b : {form->ImgA, form->ImgDui, form->ImgPrev, form->ImgNext, form->ImgHelp})
        EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
    EXPECT_TRUE(form->ImgA->toolTip().contains(QStringLiteral("小键盘7")) && form->ImgA->toolTip().contains(QStringLiteral("A键")));
}

TEST_F(PracticeAdditionsTest, ProgressLineCountsTheRunAndSaysWhenItIsDone)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    EXPECT_TRUE(line().contains(QStringLiteral("顺序练习 · 第 1/4 题 · 答对 0 · 答错 0"))) << line().toStdString();
    press(form.get(), Qt::Key_8);     // 101: B right
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_5);     // 102: 错, wrong
    EXPECT_TRUE(line().contains(QStringLiteral("第 2/4 题 · 答对 1 · 答错 1"))) << line().toStdString();
    press(form.get(), Qt::Key_4);     // right on a second try: the first judgement counts
    EXPECT_TRUE(line().contains(QStringLiteral("答对 1 · 答错 1"))) << line().toStdString();
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_9);
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_4);     // 104: 对, wrong
    EXPECT_TRUE(line().contains(QStringLiteral("完成"))) << line().toStdString();
    EXPECT_TRUE(line().contains(QStringLiteral("答对 2，答错 2，正确率 50%"))) << line().toStdString();
    form->ImgJqlxClick();
    EXPECT_TRUE(line().contains(QStringLiteral("加强练习 · 第 1/4 题 · 答对 0 · 答错 0"))) << line().toStdString();
}

TEST_F(PracticeAdditionsTest, AnAnswerCountsOncePerShowingAndAfterTheHintAsForgotten)
{
    qint64 now = 1'800'000'000'000;
    form->setClock([&now] { return now; });
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    press(form.get(), Qt::Key_8);         // 101: B right
    press(form.get(), Qt::Key_8);         // and again on the same screen
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_Period);    // 102: the hint first
    press(form.get(), Qt::Key_4);         // then 对, right
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_7);         // 103: A, wrong
    press(form.get(), Qt::Key_9);         // then C, right on the same showing
    ProgressStore &store = *progress->store();
    const QHash<qint32, QuestionRecord> records = store.questionRecords(progress->bank());
    EXPECT_EQ(records.value(101).memory.reviews, 1);
    EXPECT_EQ(records.value(101).memory.lapses, 0);
    EXPECT_EQ(records.value(101).memory.lastSeenMs, now);
    EXPECT_EQ(records.value(102).memory.lapses, 1) << "right after the hint is forgotten";
    EXPECT_EQ(records.value(103).memory.reviews, 1) << "the right answer after the wrong one does not count";
    EXPECT_EQ(records.value(103).memory.lapses, 1);
    EXPECT_EQ(store.bookQuestions(progress->bank()), (QVector<qint32>{102, 103}));

    // Shown again in the same run a minute later: memory moves on, the book's streak does not.
    now += 60 * 1000;
    press(form.get(), Qt::Key_Plus);       // back to 102
    press(form.get(), Qt::Key_4);
    EXPECT_EQ(store.bookState(progress->bank(), 102).streak, 1);
    EXPECT_EQ(store.questionRecords(progress->bank()).value(102).memory.reviews, 2);
    press(form.get(), Qt::Key_Enter);     // on to 103 and back to 102: a third showing in this run
    press(form.get(), Qt::Key_Plus);
    press(form.get(), Qt::Key_4);
    EXPECT_TRUE(store.bookState(progress->bank(), 102).inBook) << "two right answers within the hour of one run";
    now += 2 * 60 * 60 * 1000;
    form->ImgSxlxClick();                 // a new run, two hours on
    press(form.get(), Qt::Key_Enter);
    press(form.get(), Qt::Key_4);
    EXPECT_FALSE(store.bookState(progress->bank(), 102).inBook);
}

TEST_F(PracticeAdditionsTest, LettersDoWhatTheKeypadDoes)
{
    showFor(QStringLiteral("C1C2C3C4"));
    press(form.get(), Qt::Key_A, false);
    EXPECT_TRUE(status().isEmpty()) << "no answer before a mode, as with the keypad";
    EXPECT_TRUE(feedback().isEmpty());
    form->ImgSxlxClick();
    press(form.get(), Qt::Key_B, false);
    EXPECT_EQ(choiceAt(1), 2);
    EXPECT_EQ(feedback(), QStringLiteral("yes.jpg"));
    press(form.get(), Qt::Key_N, false);
    EXPECT_EQ(position(), 2);
    press(form.get(), Qt::Key_A, false); // A on a true/false question: recorded, not judged
    EXPECT_EQ(choiceAt(2), 1);
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));
    press(form.get(), Qt::Key_F, false);
    EXPECT_EQ(choiceAt(2), 6);
    EXPECT_EQ(feedback(), QStringLiteral("no.jpg"));
    press(form.get(), Qt::Key_H, false);
    EXPECT_EQ(status(), QStringLiteral(" 正确的答案应该是：正确"));
    press(form.get(), Qt::Key_P, false);
    EXPECT_EQ(position(), 1);
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(position(), 1) << "Ctrl+N is not a practice key";
}

TEST_F(PracticeAdditionsTest, JudgedWrongInPracticeGoesInTheBook)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgAClick(); // 101: answer B, so wrong
    form->ImgNextClick();
    form->ImgDuiClick(); // 102: right, not in the book
    ProgressStore *store = progress->store();
    ASSERT_TRUE(store);
    EXPECT_EQ(store->bookQuestions(progress->bank()), (QVector<qint32>{101}));
}

TEST_F(PracticeAdditionsTest, MockExamOpensForTheCategoryAndReturnsToTheRunAsItWas)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgNextClick();
    form->ImgDuiClick();
    const QString before = status();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        ExamWindow *exam = form->examWindow();
        shown = exam && exam->isVisible() && exam->titleBand->text().contains(QStringLiteral("小型汽车"));
        if (exam)
            QTest::keyClick(exam, Qt::Key_Escape);
    });
    QTest::keyClick(form.get(), Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(form->examWindow()->isVisible());
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(status(), before);
    EXPECT_TRUE(form->isVisible());
    press(form.get(), Qt::Key_Period); // the exam read the shared bank without moving its current record
    EXPECT_EQ(status(), QStringLiteral(" 正确的答案应该是：正确"));
    press(form.get(), Qt::Key_Plus); // the run goes on
    EXPECT_EQ(position(), 1);
}

} // namespace
} // namespace kemuyi::test
