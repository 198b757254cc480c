#include "Support.h"

#include "bank/BankStore.h"
#include "common/Failure.h"
#include "practice/PracticeRun.h"

#include <QMap>

#include <algorithm>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

// Stands in for the practice window: remembers what the run asked of it.
class FakeView : public PracticeView
{
public:
    PracticeRun *run = nullptr;
    QString code;
    QMap<RunButton, bool> enabled;
    QVector<qint32> shownPositions;
    int cleared = 0;
    int emptyCategory = 0;
    bool busy = false;

    QString categoryCode() const override { return code; }
    void setButtonEnabled(RunButton button, bool on) override { enabled[button] = on; }
    bool isButtonEnabled(RunButton button) const override { return enabled.value(button); }
    void clearQuestionArea() override { ++cleared; }
    void showQuestionAtPosition() override
    {
        shownPositions.append(run->CurrentPosition);
        run->CheckStatus();
    }
    void setBusyCursor(bool on) override { busy = on; }
    void showEmptyCategory() override { ++emptyCategory; }
};

class Practice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QVector<Question> rows;
        for (int id : {40, 10, 30, 20, 50})
            rows.append(choiceRow(id, QStringLiteral("C1C2C3C4")));
        rows.append(judgeRow(77, QStringLiteral("DEF")));
        rows.append(judgeRow(88, QStringLiteral("DEF")));
        rows.append(judgeRow(99, QStringLiteral("M")));
        writeBank(sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib"), rows);
        view.run = &run;
    }

    void show(const QString &code)
    {
        view.code = code;
        run.PrepareOnShow();
    }

    QVector<qint32> sheetIds() const
    {
        QVector<qint32> ids;
        for (int i = 1; i <= run.QuestionCount; ++i)
            ids.append(run.AnswerSheet[i].QuestionId);
        return ids;
    }

    Sandbox sandbox;
    BankStore bank;
    FakeView view;
    PracticeRun run{bank, view};
};

} // namespace

TEST(ShuffleRandom, FollowsTheLinearCongruentialFormula)
{
    ShuffleRandom random(0);
    // state = 0 × 0x08088405 + 1 = 1; (1 × 10) >> 32 = 0
    EXPECT_EQ(random.next(10), 0u);
    // state = 0x08088406; (0x08088406 × 16) >> 32 = 0
    EXPECT_EQ(random.next(16), 0u);
    ShuffleRandom high(0xFFFFFFFFu);
    // state = 0xFFFFFFFF × 0x08088405 + 1 = 0xF7F77BFC (mod 2^32); (0xF7F77BFC × 100) >> 32 = 96
    EXPECT_EQ(high.next(100), 96u);
}

TEST_F(Practice, ShowingPreparesWithoutStartingARun)
{
    show(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(run.QuestionCount, 5);
    EXPECT_FALSE(run.isActive());
    EXPECT_EQ(view.cleared, 1);
    for (RunButton b : view.enabled.keys())
        EXPECT_FALSE(view.enabled[b]);
    EXPECT_EQ(view.enabled.size(), 9);
    EXPECT_TRUE(view.shownPositions.isEmpty());
}

TEST_F(Practice, SequentialStartsAtTheLowestIdWithFreshChoices)
{
    show(QStringLiteral("C1C2C3C4"));
    run.AnswerSheet.resize(10);
    for (auto &entry : run.AnswerSheet)
        entry.Choice = ChoiceD;
    run.StartSequential();

    EXPECT_TRUE(run.isActive());
    EXPECT_EQ(sheetIds(), (QVector<qint32>{10, 20, 30, 40, 50}));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(run.AnswerSheet[i].Choice, ChoiceNone) << i;
    EXPECT_EQ(run.AnswerSheet[6].Choice, ChoiceD); // beyond the category: untouched
    EXPECT_EQ(run.CurrentPosition, 1);
    EXPECT_EQ(view.shownPositions, QVector<qint32>{1});
    EXPECT_FALSE(view.busy);
    for (RunButton b : {RunButton::A, RunButton::B, RunButton::C, RunButton::D, RunButton::Dui,
                        RunButton::Cuo, RunButton::Help})
        EXPECT_TRUE(view.enabled[b]);
}

TEST_F(Practice, StepsStayInsideTheRunAndSetPreviousAndNext)
{
    show(QStringLiteral("C1C2C3C4"));
    run.StartSequential();
    struct Expect
    {
        qint32 position;
        bool prev;
        bool next;
    };
    auto check = [&](const Expect &e) {
        EXPECT_EQ(run.CurrentPosition, e.position);
        EXPECT_EQ(view.enabled[RunButton::Prev], e.prev) << e.position;
        EXPECT_EQ(view.enabled[RunButton::Next], e.next) << e.position;
    };
    check({1, false, true});
    run.StepBack(); // guarded at the start
    check({1, false, true});
    run.StepForward();
    run.StepForward();
    check({3, true, true});
    run.StepForward();
    run.StepForward();
    check({5, true, false});
    run.StepForward(); // guarded at the end
    check({5, true, false});
    EXPECT_EQ(view.shownPositions, (QVector<qint32>{1, 2, 3, 4, 5}));
    run.StepBack();
    check({4, true, true});
}

TEST_F(Practice, ASingleQuestionDisablesBothDirections)
{
    show(QStringLiteral("M"));
    EXPECT_EQ(run.QuestionCount, 1);
    run.StartSequential();
    EXPECT_FALSE(view.enabled[RunButton::Prev]);
    EXPECT_FALSE(view.enabled[RunButton::Next]);
}

TEST_F(Practice, ShowingAgainEndsTheRunButKeepsThePosition)
{
    show(QStringLiteral("C1C2C3C4"));
    run.StartSequential();
    run.StepForward();
    run.StepForward();
    show(QStringLiteral("DEF"));
    EXPECT_FALSE(run.isActive());
    EXPECT_EQ(run.CurrentPosition, 3);
    run.StepBack();
    run.StepForward();
    EXPECT_EQ(run.CurrentPosition, 3);
    EXPECT_EQ(view.shownPositions.size(), 3);
}

TEST_F(Practice, IntensiveKeepsTheIdsAndClearsEveryChoice)
{
    show(QStringLiteral("C1C2C3C4"));
    run.AnswerSheet.resize(6);
    for (auto &entry : run.AnswerSheet)
        entry.Choice = ChoiceA;
    run.setSeedSource([] { return 987654u; });
    run.StartIntensive();
    QVector<qint32> ids = sheetIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (QVector<qint32>{10, 20, 30, 40, 50}));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(run.AnswerSheet[i].Choice, ChoiceNone);
    EXPECT_TRUE(run.isActive());
}

TEST_F(Practice, TwoQuestionsAlwaysComeOutReversed)
{
    show(QStringLiteral("DEF"));
    for (quint32 seed : {0u, 1u, 4242u, 86399999u, 0xFFFFFFFFu}) {
        run.setSeedSource([seed] { return seed; });
        run.StartIntensive();
        EXPECT_EQ(sheetIds(), (QVector<qint32>{88, 77})) << seed;
    }
}

TEST_F(Practice, OneQuestionDoesNotMove)
{
    show(QStringLiteral("M"));
    run.setSeedSource([] { return 5u; });
    run.StartIntensive();
    EXPECT_EQ(sheetIds(), QVector<qint32>{99});
}

TEST_F(Practice, ShuffleOfFiveMatchesTheFormulaWorkedByHand)
{
    run.QuestionCount = 5;
    run.AnswerSheet.resize(6);
    for (int i = 1; i <= 5; ++i)
        run.AnswerSheet[i] = {i * 10, ChoiceB};
    // Seed 12345 draws r = 1, 1, 0, 2, 3 for k = 1..5; a zero draw pairs with 1:
    // k=1 swap(1,1); k=2 swap(2,1) → 20 10 30 40 50; k=3 swap(3,1) → 30 10 20 40 50;
    // k=4 swap(4,2) → 30 40 20 10 50; k=5 swap(5,3) → 30 40 50 10 20.
    run.shuffle(12345u);
    EXPECT_EQ(sheetIds(), (QVector<qint32>{30, 40, 50, 10, 20}));
}

TEST_F(Practice, AnEmptyCategoryStartsNoRun)
{
    show(QStringLiteral("A1A3B1"));
    EXPECT_EQ(run.QuestionCount, 0);
    run.StartSequential();
    EXPECT_FALSE(run.isActive());
    EXPECT_EQ(view.emptyCategory, 1);
    EXPECT_TRUE(view.shownPositions.isEmpty());
    EXPECT_FALSE(view.enabled[RunButton::A]);
    EXPECT_FALSE(view.busy);
    run.StepForward();
    EXPECT_TRUE(view.shownPositions.isEmpty());
}

TEST_F(Practice, TheSheetGrowsForALargerCategory)
{
    QVector<Question> rows;
    for (int id = 1; id <= 2500; ++id)
        rows.append(judgeRow(id, QStringLiteral("M")));
    writeBank(sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib"), rows);
    show(QStringLiteral("M"));
    run.StartSequential();
    EXPECT_EQ(run.QuestionCount, 2500);
    for (int i = 0; i < 2499; ++i)
        run.StepForward();
    EXPECT_EQ(run.CurrentPosition, 2500);
    EXPECT_EQ(run.AnswerSheet[2500].QuestionId, 2500);
}

TEST_F(Practice, AFailedStartLeavesNoActiveRunAndTheBusyCursor)
{
    show(QStringLiteral("C1C2C3C4"));
    run.StartSequential();
    run.StepForward();
    execOnBank(sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib"),
               QStringLiteral("INSERT INTO TK VALUES ('x1', 'C1C2C3C4', 's', '', '', '', '', '', 'N', '正确')"));
    EXPECT_THROW(run.StartSequential(), Failure);
    EXPECT_FALSE(run.isActive());
    EXPECT_TRUE(view.busy);
    EXPECT_TRUE(view.enabled[RunButton::A]);
    run.StepForward();
    EXPECT_EQ(view.shownPositions.size(), 2);
}

TEST_F(Practice, RunOverGivenQuestionsKeepsTheirOrderStartsWhereAskedAndStepsWithinThem)
{
    show(QStringLiteral("C1C2C3C4"));
    run.StartSequential();
    run.AnswerSheet[2].Choice = ChoiceB;
    run.StartWithIds({30, 50, 10}, 2);
    EXPECT_TRUE(run.isActive());
    EXPECT_EQ(run.QuestionCount, 3);
    EXPECT_EQ(sheetIds(), (QVector<qint32>{30, 50, 10}));
    EXPECT_EQ(run.runIds(), (QVector<qint32>{30, 50, 10}));
    EXPECT_EQ(run.CurrentPosition, 2);
    // A fresh sheet: nothing recorded from the run before.
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(run.AnswerSheet[slot].Choice, ChoiceNone);
    run.StepForward();
    run.StepForward();
    EXPECT_EQ(run.CurrentPosition, 3);
    EXPECT_FALSE(view.enabled.value(RunButton::Next));
    EXPECT_FALSE(view.busy);

    // A position outside the list starts at the first question.
    run.StartWithIds({20, 40}, 9);
    EXPECT_EQ(run.CurrentPosition, 1);
    EXPECT_EQ(view.shownPositions.last(), 1);
}

TEST_F(Practice, RunOverNoQuestionsStartsNothingAndEnablesNoAnswer)
{
    show(QStringLiteral("C1C2C3C4"));
    run.StartWithIds({});
    EXPECT_FALSE(run.isActive());
    EXPECT_EQ(view.emptyCategory, 1);
    EXPECT_FALSE(view.enabled.value(RunButton::A));
    EXPECT_FALSE(view.busy);
    // The mode buttons still start from the category's first question.
    run.StartSequential();
    EXPECT_EQ(run.CurrentPosition, 1);
    EXPECT_EQ(sheetIds(), (QVector<qint32>{10, 20, 30, 40, 50}));
}
