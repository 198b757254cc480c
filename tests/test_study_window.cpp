// The study centre and what the practice window gained with it: topic runs, favourites and the
// star, the book's drill, the questions never answered, search, and continuing where the learner
// stopped; each reached by keys as well as by the mouse.

#include "PracticeFixture.h"

#include "app/ExamWindow.h"
#include "app/Progress.h"
#include "app/SmartReviewPage.h"
#include "app/StatsPage.h"
#include "app/StudyWindow.h"
#include "bank/BankTool.h"
#include "bank/QuestionSearch.h"
#include "exam/ProgressStore.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace kemuyi::test {
namespace {

// Car questions 101–106 in two topics (signals: 101 102 105; passage: 103 104), 106 without a
// topic; 900 is a motorcycle question about signals.
QVector<Question> studyRows()
{
    QVector<Question> rows = practiceRows();
    rows[0].pic.clear();
    rows.append(choiceRow(105, QStringLiteral("C1C2C3C4"), QStringLiteral("A")));
    rows.append(judgeRow(106, QStringLiteral("C1C2C3C4"), QStringLiteral("错误")));
    rows[0].subject = QStringLiteral("路口遇到黄灯持续闪烁时怎样做？");
    rows[2].subject = QStringLiteral("通过人行横道前应当怎样做？");
    const QHash<qint64, QString> topics = {{101, QStringLiteral("signals")}, {102, QStringLiteral("signals")},
                                           {105, QStringLiteral("signals")}, {103, QStringLiteral("passage")},
                                           {104, QStringLiteral("passage")}, {900, QStringLiteral("signals")}};
    for (Question &row : rows) {
        row.topic = topics.value(row.id);
        row.basis = QStringLiteral("依据");
    }
    return rows;
}

void press(QWidget *window, Qt::Key key, bool keypad = false)
{
    QTest::keyClick(window, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
}

class StudyTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        writeBankFile(studyRows(), workingCopyPath());
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form->setProgress(progress.get());
        showFor(QStringLiteral("C1C2C3C4"));
    }

    // A new program run: new windows, the same progress file.
    void restartProgram()
    {
        form = std::make_unique<TForm2>();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form->setProgress(progress.get());
        showFor(QStringLiteral("C1C2C3C4"));
    }

    // Opens the study centre with key L and runs `drive` in it once it is up.
    void inStudyCentre(const std::function<void(StudyWindow &)> &drive)
    {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            StudyWindow *study = form->studyWindow();
            ASSERT_TRUE(study && study->isVisible());
            driven = true;
            drive(*study);
            if (study->isVisible())
                press(study, Qt::Key_Escape);
        });
        press(form.get(), Qt::Key_L);
        EXPECT_TRUE(driven);
        EXPECT_FALSE(form->studyWindow()->isVisible());
    }

    static QStringList rows(const StudyWindow &study)
    {
        QStringList texts;
        for (int i = 0; i < study.entryList->count(); ++i)
            texts.append(study.entryList->item(i)->text());
        return texts;
    }

    QString line() const { return form->LabelProgress->text(); }
    ProgressStore &store() { return *progress->store(); }

    std::unique_ptr<LearnerProgress> progress;
};

} // namespace

TEST_F(StudyTest, WindowIsTheProgramsShapeAndEveryControlIsNamedWithItsKey)
{
    inStudyCentre([](StudyWindow &study) {
        EXPECT_EQ(study.size(), QSize(690, 450));
        EXPECT_TRUE(study.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(study.isModal());
        EXPECT_EQ(pictureName(study.background->picture()), QStringLiteral("bground2.jpg"));
        EXPECT_TRUE(study.titleBand->text().contains(QStringLiteral("小型汽车")));
        const QStringList keys = {QStringLiteral("1键"), QStringLiteral("2键"), QStringLiteral("3键"),
                                  QStringLiteral("4键"), QStringLiteral("5键"), QStringLiteral("6键"),
                                  QStringLiteral("7键"), QStringLiteral("8键")};
        ASSERT_EQ(study.pageButtons.size(), keys.size());
        for (int i = 0; i < keys.size(); ++i) {
            EXPECT_FALSE(study.pageButtons[i]->accessibleName().isEmpty());
            EXPECT_TRUE(study.pageButtons[i]->toolTip().contains(keys[i])) << study.pageButtons[i]->toolTip().toStdString();
            EXPECT_FALSE(study.pageButtons[i]->picture().isNull());
        }
        EXPECT_TRUE(study.openButton->toolTip().contains(QStringLiteral("回车")));
        EXPECT_TRUE(study.removeButton->toolTip().contains(QStringLiteral("Delete")));
        EXPECT_TRUE(study.exitButton->toolTip().contains(QStringLiteral("Esc")));
        for (QWidget *control : {static_cast<QWidget *>(study.searchField), static_cast<QWidget *>(study.entryList),
                                 static_cast<QWidget *>(study.openButton), static_cast<QWidget *>(study.removeButton),
                                 static_cast<QWidget *>(study.exitButton)})
            EXPECT_FALSE(control->accessibleName().isEmpty() && control->accessibleDescription().isEmpty())
                << control->objectName().toStdString();
    });
    EXPECT_TRUE(form->studyButton->toolTip().contains(QStringLiteral("L键")));
    EXPECT_EQ(form->studyButton->accessibleName(), QStringLiteral("学习中心"));
    EXPECT_TRUE(form->favouriteButton->toolTip().contains(QStringLiteral("X键")));
    EXPECT_EQ(pictureName(form->studyButton->picture()), QStringLiteral("xxzx.jpg"));
}

TEST_F(StudyTest, PagesAnswerTheirDigitsEscAndKeypadZeroCloseWithoutAChoice)
{
    inStudyCentre([](StudyWindow &study) {
        EXPECT_EQ(study.page(), StudyWindow::Page::Topics);
        press(&study, Qt::Key_2);
        EXPECT_EQ(study.page(), StudyWindow::Page::Favourites);
        press(study.entryList, Qt::Key_5, true);
        EXPECT_EQ(study.page(), StudyWindow::Page::Search);
        EXPECT_TRUE(study.searchField->isVisible());
        // Digits typed in the search field are text.
        QTest::keyClicks(study.searchField, QStringLiteral("12"));
        EXPECT_EQ(study.page(), StudyWindow::Page::Search);
        EXPECT_EQ(study.searchField->text(), QStringLiteral("12"));
        press(study.searchField, Qt::Key_Down);
        press(study.entryList, Qt::Key_6);
        EXPECT_EQ(study.page(), StudyWindow::Page::Resume);
        study.pageButtons[3]->click();
        EXPECT_EQ(study.page(), StudyWindow::Page::Unanswered);
        press(study.entryList, Qt::Key_0, true);
        EXPECT_FALSE(study.isVisible());
        EXPECT_EQ(study.choice().kind, StudyChoice::Kind::None);
    });
    EXPECT_FALSE(form->run().isActive()) << "closing chose nothing";
}

TEST_F(StudyTest, ATopicRunNamesTheSetAndIsJudgedAsPractice)
{
    store().recordAnswer(progress->bank(), JudgedAnswer{101, true, false, {1, 1}, 1000, QStringLiteral("C1C2C3C4")});
    store().recordAnswer(progress->bank(), JudgedAnswer{102, false, false, {1, 2}, 1000, QStringLiteral("C1C2C3C4")});
    inStudyCentre([](StudyWindow &study) {
        const QStringList texts = rows(study);
        ASSERT_EQ(texts.size(), 2) << texts.join(u'\n').toStdString();
        EXPECT_TRUE(texts[0].startsWith(QStringLiteral("交通信号"))) << texts[0].toStdString();
        EXPECT_TRUE(texts[0].contains(QStringLiteral("3 题")) && texts[0].contains(QStringLiteral("已答 2 题"))
                    && texts[0].contains(QStringLiteral("答对 50%"))) << texts[0].toStdString();
        EXPECT_TRUE(texts[1].contains(QStringLiteral("通行规定")) && texts[1].contains(QStringLiteral("尚未练习")));
        press(study.entryList, Qt::Key_Enter);
        EXPECT_FALSE(study.isVisible());
    });
    ASSERT_TRUE(form->run().isActive());
    EXPECT_EQ(form->run().runIds(), (QVector<qint32>{101, 102, 105}));
    EXPECT_TRUE(line().startsWith(QStringLiteral("专项：交通信号 第 1/3 题"))) << line().toStdString();
    press(form.get(), Qt::Key_B); // 101's answer is B
    EXPECT_EQ(feedback(), QStringLiteral("yes.jpg"));
    EXPECT_TRUE(line().contains(QStringLiteral("答对 1"))) << line().toStdString();
    press(form.get(), Qt::Key_Z); // auto-advance, if the switch has a letter; the switch otherwise
    if (!form->autoAdvance())
        form->ImgChkClick();
    press(form.get(), Qt::Key_N);
    press(form.get(), Qt::Key_T); // 102: 正确, right; a second later the run moves on
    EXPECT_EQ(form->run().CurrentPosition, 3);
    EXPECT_TRUE(line().startsWith(QStringLiteral("专项：交通信号 第 3/3 题"))) << line().toStdString();
    // The mode buttons still start the category from its first question.
    form->ImgSxlxClick();
    EXPECT_EQ(form->run().QuestionCount, 6);
    EXPECT_EQ(form->run().CurrentPosition, 1);
}

TEST_F(StudyTest, TheStarFollowsTheQuestionAndTheFavouritesPagePractisesAndRemoves)
{
    EXPECT_FALSE(form->favouriteButton->isEnabled()) << "no question, nothing to keep";
    form->ImgSxlxClick();
    EXPECT_EQ(pictureName(form->favouriteButton->picture()), QStringLiteral("star_off.jpg"));
    press(form.get(), Qt::Key_X);
    EXPECT_EQ(pictureName(form->favouriteButton->picture()), QStringLiteral("star_on.jpg"));
    EXPECT_EQ(form->favouriteButton->accessibleName(), QStringLiteral("已收藏"));
    EXPECT_TRUE(store().isFavourite(progress->bank(), 101));
    press(form.get(), Qt::Key_N);
    EXPECT_EQ(pictureName(form->favouriteButton->picture()), QStringLiteral("star_off.jpg"));
    form->favouriteButton->click();
    press(form.get(), Qt::Key_N);
    press(form.get(), Qt::Key_X);
    press(form.get(), Qt::Key_X); // and out again
    press(form.get(), Qt::Key_P);
    EXPECT_EQ(pictureName(form->favouriteButton->picture()), QStringLiteral("star_on.jpg"));
    store().setFavourite(progress->bank(), 900, true); // a motorcycle question stays off this list

    inStudyCentre([this](StudyWindow &study) {
        press(study.entryList, Qt::Key_2);
        EXPECT_EQ(study.listedQuestions(), (QVector<qint32>{101, 102}));
        EXPECT_TRUE(study.pageInfo->text().contains(QStringLiteral("收藏 2 题")));
        EXPECT_TRUE(rows(study).value(0).startsWith(QStringLiteral("101  路口遇到黄灯")));
        press(study.entryList, Qt::Key_Delete);
        EXPECT_EQ(study.listedQuestions(), (QVector<qint32>{102}));
        EXPECT_FALSE(store().isFavourite(progress->bank(), 101));
        press(study.entryList, Qt::Key_Return);
    });
    EXPECT_EQ(form->run().runIds(), (QVector<qint32>{102}));
    EXPECT_TRUE(line().startsWith(QStringLiteral("收藏 第 1/1 题"))) << line().toStdString();
    EXPECT_EQ(pictureName(form->favouriteButton->picture()), QStringLiteral("star_on.jpg"));
}

TEST_F(StudyTest, TheBookPageOpensTheExamWindowsDrillAndLeavingItComesBack)
{
    form->ImgSxlxClick();
    press(form.get(), Qt::Key_A); // 101: wrong, into the book
    bool drilled = false;
    QTimer::singleShot(0, [&] {
        StudyWindow *study = form->studyWindow();
        press(study->entryList, Qt::Key_3);
        EXPECT_EQ(study->listedQuestions(), (QVector<qint32>{101}));
        QTimer::singleShot(0, [&] {
            ExamWindow *exam = form->examWindow();
            ASSERT_TRUE(exam && exam->isVisible());
            drilled = exam->page() == ExamWindow::Page::Drill;
            press(exam, Qt::Key_Escape);
            EXPECT_FALSE(exam->isVisible()) << "leaving the drill closes the window it was opened in";
        });
        press(study->entryList, Qt::Key_Return);
    });
    press(form.get(), Qt::Key_L);
    EXPECT_TRUE(drilled);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->run().CurrentPosition, 1) << "the practice run is as it was";
}

TEST_F(StudyTest, UnansweredPageListsOnlyQuestionsNeverAnswered)
{
    form->ImgSxlxClick();
    press(form.get(), Qt::Key_B); // 101 right
    press(form.get(), Qt::Key_N);
    press(form.get(), Qt::Key_F); // 102 wrong
    inStudyCentre([](StudyWindow &study) {
        press(study.entryList, Qt::Key_4);
        EXPECT_EQ(study.listedQuestions(), (QVector<qint32>{103, 104, 105, 106}));
        EXPECT_TRUE(study.pageInfo->text().contains(QStringLiteral("6 题中有 4 题"))) << study.pageInfo->text().toStdString();
        press(study.entryList, Qt::Key_Down);
        press(study.entryList, Qt::Key_Return);
    });
    EXPECT_EQ(form->run().runIds(), (QVector<qint32>{103, 104, 105, 106}));
    EXPECT_EQ(form->run().CurrentPosition, 2) << "from the chosen one";
    EXPECT_TRUE(line().startsWith(QStringLiteral("未做题 第 2/4 题"))) << line().toStdString();
}

TEST_F(StudyTest, SearchListsTheCategorysHitsEnterPractisesThemOrOpensTheChosenOne)
{
    inStudyCentre([](StudyWindow &study) {
        press(study.entryList, Qt::Key_5);
        study.searchField->insert(QStringLiteral("怎样做"));
        EXPECT_EQ(study.listedQuestions(), (QVector<qint32>{101, 103})) << "900 is a motorcycle question";
        EXPECT_TRUE(study.statusLabel->text().contains(QStringLiteral("找到 2 题")));
        study.searchField->setText(QStringLiteral("黄灯")); // two characters: scanned
        EXPECT_EQ(study.listedQuestions(), (QVector<qint32>{101}));
        study.searchField->setText(QStringLiteral("怎样做"));
        press(study.searchField, Qt::Key_Return);
    });
    EXPECT_EQ(form->run().runIds(), (QVector<qint32>{101, 103}));
    EXPECT_EQ(form->run().CurrentPosition, 1);
    EXPECT_TRUE(line().startsWith(QStringLiteral("搜索：怎样做 第 1/2 题"))) << line().toStdString();

    inStudyCentre([](StudyWindow &study) {
        press(study.entryList, Qt::Key_5);
        study.searchField->insert(QStringLiteral("怎样做"));
        press(study.searchField, Qt::Key_Down);
        press(study.entryList, Qt::Key_Down);
        press(study.entryList, Qt::Key_Return);
    });
    EXPECT_EQ(form->run().CurrentPosition, 2) << "the chosen hit";
    EXPECT_EQ(form->run().CurrentQuestionId, 103);
}

TEST_F(StudyTest, ContinuingFindsTheShuffledOrderAndThePlaceAfterLeavingOrARestart)
{
    form->ImgJqlxClick();
    const QVector<qint32> order = form->run().runIds();
    press(form.get(), Qt::Key_N);
    press(form.get(), Qt::Key_N);
    press(form.get(), Qt::Key_P); // stopped at 2
    press(form.get(), Qt::Key_Escape);
    restartProgram();
    press(form.get(), Qt::Key_U);
    ASSERT_TRUE(form->run().isActive());
    EXPECT_EQ(form->run().runIds(), order);
    EXPECT_EQ(form->run().CurrentPosition, 2);
    EXPECT_TRUE(line().contains(QStringLiteral("加强练习 · 第 2/6 题"))) << line().toStdString();

    press(form.get(), Qt::Key_N); // now at 3
    inStudyCentre([](StudyWindow &study) {
        press(study.entryList, Qt::Key_6);
        EXPECT_TRUE(study.pageInfo->text().contains(QStringLiteral("加强练习，停在第 3/6 题"))) << study.pageInfo->text().toStdString();
        study.openButton->click();
    });
    EXPECT_EQ(form->run().CurrentPosition, 3);
    // A mode button starts from question 1, as always.
    form->ImgJqlxClick();
    EXPECT_EQ(form->run().CurrentPosition, 1);
}

TEST_F(StudyTest, SmartReviewAndStatsAreKeysSevenAndEightAndTheReviewRunsInPracticeAndContinues)
{
    // Two questions answered ten days ago: due now. The other four were never seen.
    const qint64 tenDaysAgo = QDateTime::currentMSecsSinceEpoch() - 10LL * 24 * 60 * 60 * 1000;
    store().recordAnswer(progress->bank(), JudgedAnswer{101, true, false, {1, 1}, tenDaysAgo, QStringLiteral("C1C2C3C4")});
    store().recordAnswer(progress->bank(), JudgedAnswer{103, false, false, {1, 2}, tenDaysAgo, QStringLiteral("C1C2C3C4")});
    const QString csv = sandbox.path(QStringLiteral("records.csv"));
    inStudyCentre([&csv](StudyWindow &study) {
        press(study.entryList, Qt::Key_7, true);
        ASSERT_EQ(study.page(), StudyWindow::Page::SmartReview);
        EXPECT_TRUE(study.smartReviewPage->isVisible());
        for (QWidget *list : {static_cast<QWidget *>(study.entryList), static_cast<QWidget *>(study.pageInfo),
                              static_cast<QWidget *>(study.openButton), static_cast<QWidget *>(study.statsPage)})
            EXPECT_FALSE(list->isVisible()) << list->objectName().toStdString();
        EXPECT_TRUE(study.smartReviewPage->infoLabel->text().contains(QStringLiteral("现在到期 2 题，从未做过 4 题")))
            << study.smartReviewPage->infoLabel->text().toStdString();
        EXPECT_TRUE(study.smartReviewPage->startButton->toolTip().contains(QStringLiteral("回车")));
        // ↑ ↓ set the number; digits still switch pages.
        QSpinBox *limit = study.smartReviewPage->limitBox;
        ASSERT_EQ(study.focusWidget(), limit) << "the keys go to the number";
        press(limit, Qt::Key_Down);
        EXPECT_EQ(limit->value(), 40);
        press(limit, Qt::Key_8);
        ASSERT_EQ(study.page(), StudyWindow::Page::Stats);
        EXPECT_EQ(limit->value(), 40) << "the digit went to the page, not into the number";
        EXPECT_TRUE(study.statsPage->isVisible() && !study.smartReviewPage->isVisible());
        EXPECT_TRUE(study.statsPage->summaryLabel->text().startsWith(QStringLiteral("已做 2 题")))
            << study.statsPage->summaryLabel->text().toStdString();
        EXPECT_TRUE(study.statsPage->summaryLabel->text().contains(QStringLiteral("共 6 题")));
        EXPECT_TRUE(study.statsPage->exportButton->toolTip().contains(QStringLiteral("回车")));
        study.statsPage->setFileChooser([&csv](QWidget *, const QString &) { return csv; });
        press(&study, Qt::Key_Return);
        EXPECT_TRUE(QFile::exists(csv)) << "Enter on 统计 exports";
        EXPECT_TRUE(study.isVisible());
        press(&study, Qt::Key_7);
        EXPECT_EQ(study.smartReviewPage->limitBox->value(), 40) << "the number is kept";
        press(study.smartReviewPage->limitBox, Qt::Key_Return);
        EXPECT_FALSE(study.isVisible());
        EXPECT_EQ(study.choice().kind, StudyChoice::Kind::Run);
    });
    ASSERT_TRUE(form->run().isActive());
    const QVector<qint32> order = form->run().runIds();
    ASSERT_EQ(order.size(), 6);
    EXPECT_EQ((QSet<qint32>{order[0], order[1]}), (QSet<qint32>{101, 103})) << "the due questions first";
    EXPECT_EQ(line(), QStringLiteral("智能复习 第 1/6 题（到期 2 题） · 答对 0 · 答错 0"));
    press(form.get(), Qt::Key_N);
    EXPECT_TRUE(line().startsWith(QStringLiteral("智能复习 第 2/6 题（到期 2 题）"))) << line().toStdString();
    press(form.get(), Qt::Key_Escape);

    // Continued in a new program run, it still says how many were due.
    restartProgram();
    press(form.get(), Qt::Key_U);
    EXPECT_EQ(form->run().runIds(), order);
    EXPECT_TRUE(line().startsWith(QStringLiteral("智能复习 第 2/6 题（到期 2 题）"))) << line().toStdString();
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join(u'\n').toStdString();
}

TEST_F(StudyTest, WithoutAnythingToContinueTheKeySaysSo)
{
    press(form.get(), Qt::Key_U);
    EXPECT_FALSE(form->run().isActive());
    EXPECT_EQ(status(), QStringLiteral(" 本类别还没有可以继续的练习。"));
    inStudyCentre([](StudyWindow &study) {
        press(study.entryList, Qt::Key_6);
        EXPECT_FALSE(study.openButton->isEnabled());
        press(study.entryList, Qt::Key_Return);
        EXPECT_TRUE(study.isVisible()) << "nothing to start";
    });
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join(u'\n').toStdString();
}

} // namespace kemuyi::test
