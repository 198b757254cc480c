// The mock exam's rules: the paper, the clock, scoring, give-up, hand-in, time-out, and the
// wrong-question book's rule.

#include "bank/Question.h"
#include "exam/ExamRules.h"
#include "exam/ExamSession.h"
#include "exam/WrongBook.h"

#include <QSet>

#include <numeric>
#include <random>

#include <gtest/gtest.h>

namespace kemuyi::test {
namespace {

QVector<qint32> idsFrom(qint32 first, int count)
{
    QVector<qint32> ids(count);
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

RandomBelow seeded(unsigned seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](quint32 n) { return quint32((*engine)() % n); };
}

TEST(ExamFormat, FollowsTheTestRulesPerCategory)
{
    const ExamFormat car = examFormatFor(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(car.questions, 100);
    EXPECT_EQ(car.limitMs(), 45 * 60 * 1000);
    EXPECT_EQ(car.fullMarks(), 100);
    for (const char *code : {"A1A3B1", "A2B2", "M"})
        EXPECT_EQ(examFormatFor(QLatin1String(code)).questions, 100) << code;
    const ExamFormat motorcycle = examFormatFor(QStringLiteral("DEF"));
    EXPECT_EQ(motorcycle.questions, 50);
    EXPECT_EQ(motorcycle.limitMs(), 30 * 60 * 1000);
    EXPECT_EQ(motorcycle.pointsPerQuestion, 2);
    EXPECT_EQ(motorcycle.fullMarks(), 100);
    EXPECT_EQ(car.passMark, 90);
    EXPECT_EQ(motorcycle.passMark, 90);
}

TEST(ExamPaper, DrawsDistinctQuestionsOfTheCategoryAndVariesBetweenDraws)
{
    const QVector<qint32> pool = idsFrom(1000, 1500);
    const QSet<qint32> inPool(pool.begin(), pool.end());
    const QVector<qint32> first = drawPaper(pool, 100, seeded(1));
    const QVector<qint32> second = drawPaper(pool, 100, seeded(2));
    ASSERT_EQ(first.size(), 100);
    EXPECT_EQ(QSet<qint32>(first.begin(), first.end()).size(), 100) << "no question twice";
    for (qint32 id : first)
        EXPECT_TRUE(inPool.contains(id));
    EXPECT_NE(first, second);
    // Not just the head of the pool: a draw reaches its far end.
    EXPECT_GT(*std::max_element(first.begin(), first.end()), 1000 + 750);
}

TEST(ExamPaper, SmallCategoryGivesAllItsQuestionsAndEmptyGivesNone)
{
    const QVector<qint32> pool = idsFrom(1, 30);
    QVector<qint32> paper = drawPaper(pool, 100, seeded(3));
    std::sort(paper.begin(), paper.end());
    EXPECT_EQ(paper, pool);
    EXPECT_TRUE(drawPaper({}, 100, seeded(3)).isEmpty());
}

TEST(ExamPaper, EveryQuestionCanComeFirst)
{
    // A biased draw (say, never swapping with the last slot) would leave some question out.
    const QVector<qint32> pool = idsFrom(1, 5);
    QSet<qint32> firsts;
    auto random = seeded(7);
    for (int i = 0; i < 200; ++i)
        firsts.insert(drawPaper(pool, 2, random).first());
    EXPECT_EQ(firsts.size(), 5);
}

TEST(ExamAnswers, CorrectChoiceFromTheBankAnswer)
{
    const auto correct = [](const char *select, const QString &answer) {
        Question question;
        question.select = QLatin1String(select);
        question.answer = answer;
        return correctChoice(question);
    };
    EXPECT_EQ(correct("Y", QStringLiteral("A")), 1);
    EXPECT_EQ(correct("Y", QStringLiteral("B")), 2);
    EXPECT_EQ(correct("Y", QStringLiteral("C")), 3);
    EXPECT_EQ(correct("Y", QStringLiteral("D")), 4);
    EXPECT_EQ(correct("N", QStringLiteral("正确")), 5);
    EXPECT_EQ(correct("N", QStringLiteral("错误")), 6);
    // A kind or answer no button fits can never be answered right.
    EXPECT_EQ(correct("Y", QStringLiteral("正确")), 0);
    EXPECT_EQ(correct("N", QStringLiteral("A")), 0);
    EXPECT_EQ(correct("X", QStringLiteral("A")), 0);
    EXPECT_EQ(correct("Y", QStringLiteral("a")), 0);
}

// A session whose clock the test moves by hand.
class ExamSessionTest : public ::testing::Test
{
protected:
    ExamSession make(const ExamFormat &format, int size)
    {
        QVector<PaperQuestion> paper;
        for (int i = 0; i < size; ++i)
            paper.append(PaperQuestion{qint32(500 + i), qint32(1 + i % 4)});
        return ExamSession(format, paper, now, [this] { return now; });
    }
    // Answers the first `right` questions right and the next `wrong` wrong.
    static void answer(ExamSession &session, int right, int wrong)
    {
        for (int i = 0; i < right + wrong; ++i) {
            session.goTo(i);
            const qint32 correct = session.question(i).correct;
            session.answer(i < right ? correct : correct % 4 + 1);
        }
    }

    qint64 now = 1'700'000'000'000;
};

TEST_F(ExamSessionTest, ScoresAtTheRulesPassMark)
{
    const ExamFormat car = examFormatFor(QStringLiteral("C1C2C3C4"));
    ExamSession pass = make(car, 100);
    answer(pass, 90, 10);
    const ExamResult &passed = pass.handIn();
    EXPECT_EQ(passed.score, 90);
    EXPECT_TRUE(passed.passed);
    EXPECT_EQ(passed.wrong, 10);

    ExamSession fail = make(car, 100);
    answer(fail, 89, 0);
    EXPECT_EQ(fail.handIn().score, 89);
    EXPECT_FALSE(fail.result()->passed);
    EXPECT_EQ(fail.result()->unanswered, 11);

    const ExamFormat motorcycle = examFormatFor(QStringLiteral("DEF"));
    ExamSession bike = make(motorcycle, 50);
    answer(bike, 45, 5);
    EXPECT_EQ(bike.handIn().score, 90);
    EXPECT_TRUE(bike.result()->passed);
    ExamSession bikeFail = make(motorcycle, 50);
    answer(bikeFail, 44, 6);
    EXPECT_EQ(bikeFail.handIn().score, 88);
    EXPECT_FALSE(bikeFail.result()->passed);
}

TEST_F(ExamSessionTest, ShortPaperScaledAndEmptyPaperNeverPasses)
{
    ExamSession shortPaper = make(examFormatFor(QStringLiteral("M")), 30);
    answer(shortPaper, 27, 3);
    EXPECT_EQ(shortPaper.handIn().score, 90);
    EXPECT_TRUE(shortPaper.result()->passed);
    ExamSession almost = make(examFormatFor(QStringLiteral("M")), 30);
    answer(almost, 26, 4);
    EXPECT_EQ(almost.handIn().score, 86); // 86.7 rounds down: never a pass by rounding
    ExamSession empty = make(examFormatFor(QStringLiteral("M")), 0);
    EXPECT_FALSE(empty.answer(1));
    EXPECT_FALSE(empty.giveUp());
    EXPECT_FALSE(empty.handIn().passed);
}

TEST_F(ExamSessionTest, MissedListsWrongAndUnansweredInPaperOrder)
{
    ExamSession session = make(examFormatFor(QStringLiteral("DEF")), 5);
    session.goTo(1);
    session.answer(session.question(1).correct % 4 + 1); // wrong
    session.goTo(3);
    session.answer(session.question(3).correct);
    session.answer(session.question(3).correct % 4 + 1); // changed to wrong: the last choice counts
    session.goTo(4);
    session.answer(session.question(4).correct);
    const ExamResult &result = session.handIn();
    EXPECT_EQ(result.missed, (QVector<int>{0, 1, 2, 3}));
    EXPECT_EQ(result.right, 1);
    EXPECT_EQ(result.wrong, 2);
    EXPECT_EQ(result.unanswered, 2);
}

TEST_F(ExamSessionTest, GiveUpJumpsToTheNextUnansweredAndWraps)
{
    ExamSession session = make(examFormatFor(QStringLiteral("DEF")), 5);
    for (int i : {0, 1, 3})
        session.restoreChoice(i, 1);
    session.goTo(0);
    EXPECT_TRUE(session.giveUp());
    EXPECT_EQ(session.position(), 2);
    EXPECT_TRUE(session.giveUp());
    EXPECT_EQ(session.position(), 4);
    EXPECT_TRUE(session.giveUp()); // past the end, round to the start
    EXPECT_EQ(session.position(), 2);
    session.answer(2);
    session.goTo(4);
    EXPECT_TRUE(session.giveUp()); // the only unanswered one is the current one: it stays
    EXPECT_EQ(session.position(), 4);
    session.answer(3);
    EXPECT_FALSE(session.giveUp());
    EXPECT_EQ(session.position(), 4);
    EXPECT_EQ(session.unansweredCount(), 0);
}

TEST_F(ExamSessionTest, NavigationStaysOnThePaper)
{
    ExamSession session = make(examFormatFor(QStringLiteral("DEF")), 3);
    EXPECT_FALSE(session.stepBack());
    EXPECT_TRUE(session.stepForward());
    EXPECT_TRUE(session.stepForward());
    EXPECT_FALSE(session.stepForward());
    EXPECT_EQ(session.position(), 2);
    EXPECT_FALSE(session.goTo(-1));
    EXPECT_FALSE(session.goTo(3));
}

TEST_F(ExamSessionTest, TimeRunsOnTheInjectedClockAndTimeOutFreezesAnswers)
{
    ExamSession session = make(examFormatFor(QStringLiteral("DEF")), 50);
    EXPECT_EQ(session.remainingMs(), 30 * 60 * 1000);
    now += 10 * 60 * 1000;
    EXPECT_EQ(session.remainingMs(), 20 * 60 * 1000);
    EXPECT_FALSE(session.finishIfOutOfTime());
    EXPECT_TRUE(session.answer(session.question(0).correct));

    now += 20 * 60 * 1000; // exactly at the limit
    EXPECT_TRUE(session.isOutOfTime());
    session.goTo(1);
    EXPECT_FALSE(session.answer(session.question(1).correct)) << "no answer after the time is up";
    EXPECT_TRUE(session.finishIfOutOfTime());
    const ExamResult result = *session.result();
    EXPECT_TRUE(result.timedOut);
    EXPECT_EQ(result.durationMs, 30 * 60 * 1000);
    EXPECT_EQ(result.right, 1);
    EXPECT_EQ(result.score, 2);

    now += 60 * 60 * 1000; // a later hand-in or clock reading changes nothing
    EXPECT_EQ(session.handIn().durationMs, 30 * 60 * 1000);
    EXPECT_EQ(session.remainingMs(), 0);
}

TEST_F(ExamSessionTest, HandInRecordsTheTimeUsedAndLocksTheSheet)
{
    ExamSession session = make(examFormatFor(QStringLiteral("C1C2C3C4")), 100);
    now += 12 * 60 * 1000 + 34 * 1000;
    const ExamResult &result = session.handIn();
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.durationMs, 12 * 60 * 1000 + 34 * 1000);
    EXPECT_EQ(clockText(result.durationMs), QStringLiteral("12:34"));
    EXPECT_FALSE(session.answer(1));
    EXPECT_EQ(session.answeredCount(), 0);
    // A resumed sitting whose time ran out while the program was not running.
    ExamSession late(examFormatFor(QStringLiteral("DEF")), {{1, 1}}, now - 31 * 60 * 1000, [this] { return now; });
    EXPECT_TRUE(late.handIn().timedOut);
    EXPECT_EQ(late.result()->durationMs, 30 * 60 * 1000);
}

TEST(WrongBookRule, WrongEntersTwoRightInARowLeave)
{
    // Each answer in a run of its own, so that every right answer counts.
    qint64 run = 0;
    const auto next = [&run](const BookState &state, bool right) {
        ++run;
        return afterAnswer(state, right, Showing{run, 1}, run * 1000);
    };
    BookState state;
    state = next(state, true);
    EXPECT_FALSE(state.inBook) << "a right answer alone never enters the book";
    state = next(state, false);
    EXPECT_TRUE(state.inBook);
    state = next(state, true);
    EXPECT_TRUE(state.inBook) << "one right answer is not enough";
    state = next(state, false);
    EXPECT_TRUE(state.inBook);
    EXPECT_EQ(state.streak, 0) << "a wrong answer starts the streak again";
    state = next(state, true);
    state = next(state, true);
    EXPECT_FALSE(state.inBook);
    EXPECT_EQ(state.streak, 0);
}

} // namespace
} // namespace kemuyi::test

// ---- the exam on the bank's store ----

#include "Support.h"

#include "bank/BankStore.h"

namespace kemuyi::test {
namespace {

// 300 car questions with 6 machinery questions spread among them, each with its basis.
QString writeDrawBank(const Sandbox &sandbox)
{
    QVector<Question> rows;
    for (int id = 1; id <= 306; ++id)
        rows.append(choiceRow(id, id % 51 == 0 ? QStringLiteral("M") : QStringLiteral("C1C2C3C4")));
    const QString path = sandbox.path(QStringLiteral("draw.lib"));
    writeBank(path, rows);
    execOnBank(path, QStringLiteral("CREATE TABLE BASIS (ID INTEGER PRIMARY KEY, basis TEXT);"
                                    "INSERT INTO BASIS SELECT ID, '条例第' || ID || '条' FROM TK;"));
    return path;
}

TEST(ExamOnTheBankStore, PaperComesFromTheCategoryAndLeavesTheCurrentRecordAlone)
{
    Sandbox sandbox;
    BankStore bank;
    bank.OpenBank(writeDrawBank(sandbox));
    bank.SelectQuestion(7); // the practice window's question on screen
    const QVector<qint32> paper = drawPaper(bank.categoryIds(QStringLiteral("C1C2C3C4")), 100, seeded(11));
    ASSERT_EQ(paper.size(), 100);
    EXPECT_EQ(QSet<qint32>(paper.begin(), paper.end()).size(), 100);
    for (qint32 id : paper)
        EXPECT_NE(id % 51, 0) << "a machinery question on a car paper";
    QVector<qint32> machinery = drawPaper(bank.categoryIds(QStringLiteral("m")), 100, seeded(12));
    std::sort(machinery.begin(), machinery.end());
    EXPECT_EQ(machinery, (QVector<qint32>{51, 102, 153, 204, 255, 306}));

    const Question question = bank.questionById(102, {Column::Subject, Column::Answer, Column::Basis});
    EXPECT_EQ(question.id, 102);
    EXPECT_EQ(question.basis, QStringLiteral("条例第102条"));
    EXPECT_TRUE(bank.questionById(103, {Column::Subject}).basis.isEmpty()) << "basis only when asked for";
    ASSERT_TRUE(bank.hasCurrentRecord());
    EXPECT_EQ(bank.CurrentQuestion({Column::Id}).id, 7) << "the practice window's question stays current";
}

TEST(ExamOnTheBankStore, IdsAndValuesAreCheckedAsPracticeChecksThem)
{
    Sandbox sandbox;
    const QString path = writeDrawBank(sandbox);
    execOnBank(path, QStringLiteral("UPDATE TK SET subject = NULL WHERE ID = 5; DROP TABLE BASIS;"));
    BankStore bank;
    bank.OpenBank(path);
    EXPECT_TRUE(failureOf([&] { bank.questionById(5, {Column::Subject}); }).contains(QStringLiteral("为空值")));
    EXPECT_TRUE(failureOf([&] { bank.questionById(9999, {Column::Subject}); }).contains(QStringLiteral("没有题号为 9999")));
    EXPECT_TRUE(bank.questionById(6, {Column::Basis}).basis.isEmpty()) << "a bank without BASIS has no basis";

    execOnBank(path, QStringLiteral("UPDATE TK SET ID = '12号' WHERE ID = 12;"));
    bank.OpenBank(path);
    const QString failure = failureOf([&] { bank.categoryIds(QStringLiteral("C1C2C3C4")); });
    EXPECT_TRUE(failure.contains(QStringLiteral("不是以整数保存的"))) << failure.toStdString();
}

} // namespace
} // namespace kemuyi::test
