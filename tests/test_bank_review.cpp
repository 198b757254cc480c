// The rules that make a bank fit for practice: topics, a balanced answer key, no question twice.

#include "Support.h"

#include "bank/BankReview.h"
#include "bank/BankTool.h"
#include "bank/QuestionSource.h"

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QByteArray kHeader = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\ttopic\n";

QByteArray topicLine(const QByteArray &id, const QByteArray &topic)
{
    return id + "\tDEF\t摩托车载人" + id + "\t\t\t\t\t\tN\t正确\t依据\t" + topic + '\n';
}

Question choice(qint64 id, const QString &answer, const QString &type = QStringLiteral("M"))
{
    Question row;
    row.id = id;
    row.type = type;
    // Stems far apart, so only the key is under test.
    row.subject = QStringLiteral("第%1题，%2").arg(id).arg(QString(QChar(0x4E00 + int(id) * 7)).repeated(3));
    row.a = QStringLiteral("A、甲");
    row.b = QStringLiteral("B、乙");
    row.c = QStringLiteral("C、丙");
    row.d = QStringLiteral("D、丁");
    row.select = QStringLiteral("Y");
    row.answer = answer;
    return row;
}

Question judge(qint64 id, bool right)
{
    Question row = choice(id, right ? QStringLiteral("正确") : QStringLiteral("错误"));
    row.a = row.b = row.c = row.d = QString();
    row.select = QStringLiteral("N");
    return row;
}

// `counts` choice questions answered A, B, C, D in turn.
QVector<Question> choiceKey(const QVector<int> &counts)
{
    QVector<Question> rows;
    for (int letter = 0; letter < counts.size(); ++letter) {
        for (int i = 0; i < counts[letter]; ++i)
            rows.append(choice(rows.size() + 1, QString(QLatin1Char('A' + letter))));
    }
    return rows;
}

Question stem(qint64 id, const QString &type, const QString &subject, const QString &pic = {})
{
    Question row = judge(id, true);
    row.type = type;
    row.subject = subject;
    row.pic = pic;
    return row;
}

const QString kStem = QStringLiteral("在没有中心线的城市道路上，机动车最高时速为每小时30公里。");
const QString kSameFact = QStringLiteral("在没有中心线的城市道路上，机动车最高时速为每小时40公里。");

} // namespace

TEST(Topics, SourceWithTopicsRoundTripsThroughTheBank)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    const QByteArray source = kHeader + topicLine("3", "motorcycle") + topicLine("9", "signals");
    ASSERT_TRUE(buildBank(source, bank).ok());
    EXPECT_EQ(exportBank(bank), source);
    const QString table = bankStatistics(bank).topicTable;
    EXPECT_TRUE(table.contains(QStringLiteral("摩托车驾驶"))) << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("交通信号"))) << table.toStdString();
}

TEST(Topics, HeaderAloneKeepsItsColumns)
{
    for (const QByteArray &header : {kHeader, QByteArray("ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\n")}) {
        const ParsedSource parsed = parseSource(header);
        ASSERT_TRUE(parsed.ok());
        EXPECT_EQ(sourceBytes({}, parsed.lastColumn), header);
    }
}

TEST(Topics, UnknownOrMissingTopicIsRefusedWithItsLine)
{
    const ParsedSource unknown = parseSource(kHeader + topicLine("3", "weather"));
    ASSERT_EQ(unknown.problems.size(), 1);
    EXPECT_TRUE(unknown.problems.first().startsWith(QStringLiteral("第 2 行（题号 3）")));
    EXPECT_TRUE(unknown.problems.first().contains(QStringLiteral("“weather”")));

    const ParsedSource missing = parseSource(kHeader + topicLine("3", ""));
    ASSERT_EQ(missing.problems.size(), 1);
    EXPECT_TRUE(missing.problems.first().contains(QStringLiteral("缺少主题")));
}

TEST(Topics, SourceWithoutTopicsStaysWithoutThem)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    const QByteArray legacy = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\n"
                              "4\tM\t题干\t\t\t\t\t\tN\t错误\t依据\n";
    ASSERT_TRUE(buildBank(legacy, bank).ok());
    EXPECT_EQ(exportBank(bank), legacy);
    EXPECT_TRUE(bankStatistics(bank).topicTable.isEmpty());
}

TEST(AnswerBalance, SharesOutsideTheBoundsAreNamed)
{
    EXPECT_TRUE(answerBalanceProblems(choiceKey({10, 10, 10, 10})).isEmpty());
    EXPECT_TRUE(answerBalanceProblems(choiceKey({12, 8, 8, 12})).isEmpty()); // 30 % and 20 % are inside

    const QStringList lopsided = answerBalanceProblems(choiceKey({13, 9, 9, 9}));
    ASSERT_EQ(lopsided.size(), 1) << lopsided.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lopsided.first().contains(QStringLiteral("类别 M")));
    EXPECT_TRUE(lopsided.first().contains(QStringLiteral("答案为 A 的有 13 道")));

    const QStringList missingD = answerBalanceProblems(choiceKey({14, 13, 13, 0}));
    EXPECT_TRUE(missingD.join(QLatin1Char('\n')).contains(QStringLiteral("答案为 D 的有 0 道")));

    // Too few questions to speak of shares.
    EXPECT_TRUE(answerBalanceProblems(choiceKey({39})).isEmpty());
}

TEST(AnswerBalance, TrueFalseShareIsChecked)
{
    QVector<Question> rows;
    for (int i = 0; i < 40; ++i)
        rows.append(judge(i + 1, i < 24)); // 60 % true: inside
    EXPECT_TRUE(answerBalanceProblems(rows).isEmpty());
    rows.append(judge(41, true)); // 25 of 41: outside
    const QStringList problems = answerBalanceProblems(rows);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.first().contains(QStringLiteral("41 道判断题中答案为“正确”的有 25 道")));

    QVector<Question> fewTrue;
    for (int i = 0; i < 40; ++i)
        fewTrue.append(judge(i + 1, i < 16)); // 40 % true: inside
    EXPECT_TRUE(answerBalanceProblems(fewTrue).isEmpty());
    fewTrue[15] = judge(16, false); // 15 of 40: outside
    EXPECT_EQ(answerBalanceProblems(fewTrue).size(), 1);
}

TEST(NearDuplicates, SameFactAskedTwiceIsFlaggedOncePerPair)
{
    EXPECT_GT(bigramSimilarity(kStem, kSameFact), 0.8);
    const QVector<Question> rows = {stem(5, QStringLiteral("C1C2C3C4A1A3B1A2B2M"), kStem),
                                       stem(2, QStringLiteral("C1C2C3C4A1A3B1A2B2M"), kSameFact)};
    const QStringList problems = nearDuplicateProblems(rows);
    ASSERT_EQ(problems.size(), 1) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(problems.first().startsWith(QStringLiteral("题号 2 与题号 5")));
}

TEST(NearDuplicates, OnlyInOneCategoryWithTheSamePictureAndUnlessReviewed)
{
    const QString car = QStringLiteral("C1C2C3C4");
    EXPECT_TRUE(nearDuplicateProblems({stem(1, car, kStem), stem(2, QStringLiteral("DEF"), kSameFact)}).isEmpty());
    EXPECT_TRUE(nearDuplicateProblems({stem(1, car, kStem, QStringLiteral("p1")),
                                       stem(2, car, kSameFact, QStringLiteral("p2"))})
                    .isEmpty());
    EXPECT_TRUE(nearDuplicateProblems({stem(1, car, kStem), stem(2, car, QStringLiteral("驾驶人饮酒后不得驾驶机动车。"))})
                    .isEmpty());
    const QVector<Question> alike = {stem(1, car, kStem), stem(2, car, kSameFact)};
    EXPECT_TRUE(nearDuplicateProblems(alike, {{1, 2, QStringLiteral("不同道路")}}).isEmpty());
}

TEST(ReviewedPairs, BankKeepsThemAndRefusesStaleOnes)
{
    const ParsedPairs bad = parseReviewedPairs("ID1\tID2\twhy\n1\t1\t同一题\n1\t2\t\nx\t2\t理由\n");
    EXPECT_EQ(bad.problems.size(), 3);
    EXPECT_FALSE(parseReviewedPairs("A\tB\n").ok());

    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    const QByteArray source = kHeader.chopped(1) + "\texplain\n1\tM\t" + kStem.toUtf8()
                              + "\t\t\t\t\t\tN\t正确\t依据\tpassage\t解析一\n2\tM\t" + kSameFact.toUtf8()
                              + "\t\t\t\t\t\tN\t错误\t依据\tpassage\t解析二\n";
    ASSERT_TRUE(buildBank(source, bank).ok());
    EXPECT_EQ(checkBank(bank).size(), 1);

    const ParsedPairs pairs = parseReviewedPairs("ID1\tID2\twhy\n2\t1\t一问30一问40\n");
    ASSERT_TRUE(pairs.ok());
    ASSERT_TRUE(buildBank(source, bank, pairs.pairs).ok());
    EXPECT_TRUE(checkBank(bank).isEmpty()) << checkBank(bank).join(QLatin1Char('\n')).toStdString();

    const ParsedSource stale = buildBank(source, bank, {{1, 77, QStringLiteral("已删除的题")}});
    ASSERT_EQ(stale.problems.size(), 1);
    EXPECT_TRUE(stale.problems.first().contains(QStringLiteral("题号 77 不在题库中")));
}
