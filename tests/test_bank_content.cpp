// What a learner learns from the bank and what its form must not give away: the explanation of
// every question, read through the store and written back by export, and the rules on option
// length and numeric order.

#include "Support.h"

#include "bank/BankStore.h"
#include "bank/BankTool.h"
#include "bank/OptionForm.h"
#include "bank/QuestionSource.h"

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QByteArray kFullHeader = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\ttopic\texplain\n";

QByteArray explainedLine(const QByteArray &id, const QByteArray &explain, const QByteArray &type = "DEF")
{
    return id + '\t' + type + "\t摩托车载人" + id + "\t\t\t\t\t\tN\t正确\t依据\tmotorcycle\t" + explain + '\n';
}

QString joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

// A choice question whose four options (labels added here) are given; the key is `answer`.
Question options(qint64 id, const QStringList &words, const QString &answer = QStringLiteral("A"),
                 const QString &type = QStringLiteral("M"))
{
    Question row;
    row.id = id;
    row.type = type;
    row.subject = QStringLiteral("题") + QString::number(id);
    row.select = QStringLiteral("Y");
    row.answer = answer;
    QString *fields[] = {&row.a, &row.b, &row.c, &row.d};
    for (int i = 0; i < 4; ++i)
        *fields[i] = QString(QLatin1Char('A' + i)) + QStringLiteral("、") + words.value(i);
    return row;
}

// `longest` questions whose key A is the one longest option, then `others` whose key is not.
QVector<Question> keyLengths(int longest, int others)
{
    QVector<Question> rows;
    for (int i = 0; i < longest; ++i)
        rows.append(options(rows.size() + 1, {QStringLiteral("长长的答案"), QStringLiteral("短"), QStringLiteral("短"), QStringLiteral("短")}));
    for (int i = 0; i < others; ++i)
        rows.append(options(rows.size() + 1, {QStringLiteral("短"), QStringLiteral("长长的干扰"), QStringLiteral("短"), QStringLiteral("短")}));
    return rows;
}

bool outOfOrder(const QStringList &words)
{
    return numericOptionsOutOfOrder(options(1, words)).has_value();
}

} // namespace

TEST(Explanations, FullSourceRoundTripsAndShorterSourcesKeepTheirColumns)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    const QByteArray source = kFullHeader + explainedLine("3", "载人须戴头盔，口诀：先戴盔再上车。") + explainedLine("9", "");
    const ParsedSource parsed = parseSource(source);
    ASSERT_TRUE(parsed.ok()) << joined(parsed.problems).toStdString();
    EXPECT_EQ(parsed.lastColumn, Column::Explain);
    EXPECT_EQ(parsed.rows.first().question.explain, QStringLiteral("载人须戴头盔，口诀：先戴盔再上车。"));
    ASSERT_TRUE(buildBank(source, bank).ok());
    EXPECT_EQ(exportBank(bank), source);

    // Twelve columns (no explanation) and eleven (no topic either) are read and written as they were.
    const QByteArray twelve = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\ttopic\n"
                              "4\tM\t题干\t\t\t\t\t\tN\t错误\t依据\tvehicle\n";
    const QByteArray eleven = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\n"
                              "4\tM\t题干\t\t\t\t\t\tN\t错误\t依据\n";
    for (const QByteArray &shorter : {twelve, eleven}) {
        ASSERT_TRUE(buildBank(shorter, bank).ok());
        EXPECT_EQ(exportBank(bank), shorter);
    }

    // Explain without topic is no form of the source.
    const ParsedSource wrong = parseSource("ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\texplain\n");
    ASSERT_EQ(wrong.problems.size(), 1);
    EXPECT_TRUE(wrong.problems.first().contains(QStringLiteral("表头第 12 列应为“topic”"))) << wrong.problems.first().toStdString();
}

TEST(Explanations, TheStoreReadsThemAndABankWithoutThemGivesNone)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    ASSERT_TRUE(buildBank(kFullHeader + explainedLine("3", "三号的解析") + explainedLine("9", "九号的解析"), bank).ok());
    BankStore store;
    store.OpenBank(bank);
    store.SelectQuestion(9);
    EXPECT_EQ(store.CurrentQuestion({Column::Subject}).explain, QStringLiteral("九号的解析"));
    EXPECT_EQ(store.FieldText(QStringLiteral("EXPLAIN")), QStringLiteral("九号的解析"));
    store.SelectQuestion(3);
    EXPECT_EQ(store.CurrentQuestion({}).explain, QStringLiteral("三号的解析"));
    EXPECT_EQ(store.QueryCategoryCount(QStringLiteral("DEF")), 2);
    EXPECT_EQ(store.CurrentQuestion({}).explain, QStringLiteral("九号的解析")); // the last one counted

    // An older bank, or one converted from Jet, has no table EXPLAIN.
    const QString older = sandbox.path(QStringLiteral("older.lib"));
    writeBank(older, {judgeRow(5, QStringLiteral("DEF"))});
    store.OpenBank(older);
    store.SelectQuestion(5);
    EXPECT_TRUE(store.CurrentQuestion({Column::Subject}).explain.isEmpty());
    EXPECT_EQ(readBankRows(older).first().explain, QString());

    // A table EXPLAIN without its columns, made by hand, is refused by name.
    execOnBank(older, QStringLiteral("CREATE TABLE \"EXPLAIN\" (ID INTEGER, words TEXT)"));
    const QString failure = failureOf([&] { store.OpenBank(older); });
    EXPECT_TRUE(failure.contains(QStringLiteral("的表 EXPLAIN 缺少字段 ID 或 explain")) && failure.contains(older))
        << failure.toStdString();
    EXPECT_FALSE(store.isOpen());
}

TEST(Explanations, CheckNamesEveryQuestionWithoutOne)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    ASSERT_TRUE(buildBank(kFullHeader + explainedLine("3", "有解析") + explainedLine("9", " ") + explainedLine("12", ""), bank).ok());
    EXPECT_EQ(checkBank(bank), (QStringList{QStringLiteral("题号 9：缺少解析（explain）"),
                                            QStringLiteral("题号 12：缺少解析（explain）")}));

    const QString older = sandbox.path(QStringLiteral("older.lib"));
    writeBank(older, {judgeRow(5, QStringLiteral("DEF")), judgeRow(6, QStringLiteral("DEF"))});
    EXPECT_EQ(checkBank(older), QStringList{QStringLiteral("题库中没有解析（表 EXPLAIN），2 道题都缺少解析")});
}

TEST(Explanations, StatsCountThemPerCategoryAndPerGroup)
{
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    ASSERT_TRUE(buildBank(kFullHeader + explainedLine("3", "有解析") + explainedLine("9", "")
                              + explainedLine("20", "有", "C1C2C3C4A1A3B1A2B2M") + explainedLine("21", "有", "A2B2"),
                          bank)
                    .ok());
    const BankStatistics statistics = bankStatistics(bank);
    const QVector<CategoryStats> &categories = statistics.categories;
    const auto a2b2 = std::find_if(categories.begin(), categories.end(),
                                   [](const CategoryStats &entry) { return entry.code == QLatin1String("A2B2"); });
    ASSERT_NE(a2b2, categories.end());
    EXPECT_EQ(a2b2->questions, 2); // the general question serves A2B2 too
    EXPECT_EQ(categories.last().explained, 3);

    const QVector<CategoryStats> &groups = statistics.types;
    ASSERT_EQ(groups.size(), 3);
    // The general group first (it serves A1A3B1, the first code listed), then as the codes are listed.
    EXPECT_EQ(groups.at(0).code, QStringLiteral("C1C2C3C4A1A3B1A2B2M"));
    EXPECT_EQ(groups.at(1).code, QStringLiteral("A2B2"));
    EXPECT_EQ(groups.at(2).code, QStringLiteral("DEF"));
    EXPECT_EQ(groups.at(2).questions, 2);
    EXPECT_EQ(groups.at(2).explained, 1);
    const QStringList lines = statsTable(groups, QStringLiteral("类别组")).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("类别组")));
    EXPECT_EQ(lines.at(3).simplified(), QStringLiteral("DEF 2 0 2 0 1 -")) << joined(lines).toStdString();
}

TEST(FormRules, CheckAppliesThemToTheBank)
{
    // Forty choice questions of M, each keyed A with the one longest option, one with its
    // numbers out of order: both rules speak, through the check as the bank tool runs it.
    QByteArray source = kFullHeader;
    for (int i = 1; i <= 40; ++i) {
        const QByteArray id = QByteArray::number(i);
        const QByteArray options = i == 40 ? "A、300米\tB、50米\tC、100米\tD、150米" : "A、较长的答案" + id + "\tB、短\tC、短\tD、短";
        source += id + "\tM\t第" + id + "题问的是" + QByteArray::number(i * 7919) + "\t" + options + "\t\tY\tA\t依据\tvehicle\t解析" + id + "\n";
    }
    Sandbox sandbox;
    const QString bank = sandbox.path(QStringLiteral("examdb.lib"));
    const ParsedSource built = buildBank(source, bank);
    ASSERT_TRUE(built.ok()) << joined(built.problems).toStdString();
    const QString problems = joined(checkBank(bank));
    EXPECT_TRUE(problems.contains(QStringLiteral("类别 M：选项长短不一的选择题中，答案是唯一最长选项的有 39/40"))) << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("题号 40：数字选项应从小到大排列，实为 300、50、100、150"))) << problems.toStdString();
}

TEST(LongestKey, StrictlyLongestByCharactersWithoutTheLabel)
{
    EXPECT_TRUE(keyIsStrictlyLongest(options(1, {QStringLiteral("三个字"), QStringLiteral("两字"), QStringLiteral("两字"), QStringLiteral("一")})));
    // A tie is not "the longest": nothing to pick by.
    EXPECT_FALSE(keyIsStrictlyLongest(options(1, {QStringLiteral("三个字"), QStringLiteral("也三字"), QStringLiteral("两字"), QStringLiteral("一")})));
    EXPECT_FALSE(keyIsStrictlyLongest(options(1, {QStringLiteral("两字"), QStringLiteral("三个字"), QStringLiteral("两字"), QStringLiteral("一")})));
    // Two characters beyond the BMP are two characters, not four UTF-16 units.
    EXPECT_FALSE(keyIsStrictlyLongest(options(1, {QStringLiteral("𠀀𠀀"), QStringLiteral("三个字"), QStringLiteral("一"), QStringLiteral("一")})));
    // Labels are not counted, even when one is missing.
    Question unlabelled = options(1, {QStringLiteral("两字"), QStringLiteral("一"), QStringLiteral("一"), QStringLiteral("一")});
    unlabelled.b = QStringLiteral("一个");
    EXPECT_EQ(optionWords(unlabelled.a), QStringLiteral("两字"));
    EXPECT_FALSE(keyIsStrictlyLongest(unlabelled));
    EXPECT_FALSE(optionLengthsDiffer(options(1, {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")})));
    EXPECT_TRUE(keyIsStrictlyLongest(options(1, {QStringLiteral("一"), QStringLiteral("一"), QStringLiteral("一"), QStringLiteral("两字")}, QStringLiteral("D"))));
}

TEST(LongestKey, AtMostThirtyPercentPerCategoryFromFortyChoiceQuestions)
{
    EXPECT_TRUE(longestKeyProblems(keyLengths(12, 28)).isEmpty()); // 30 % is inside
    const QStringList over = longestKeyProblems(keyLengths(13, 27));
    ASSERT_EQ(over.size(), 1) << joined(over).toStdString();
    EXPECT_TRUE(over.first().startsWith(QStringLiteral("类别 M："))) << over.first().toStdString();
    EXPECT_TRUE(over.first().contains(QStringLiteral("13/40（32.5%）"))) << over.first().toStdString();

    // Questions whose options are all of one length count toward the forty but not the share.
    QVector<Question> rows = keyLengths(9, 21);
    for (int i = 0; i < 10; ++i)
        rows.append(options(100 + i, {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")}));
    EXPECT_TRUE(longestKeyProblems(rows).isEmpty()); // 9 of 30
    rows.append(options(200, {QStringLiteral("长长的答案"), QStringLiteral("短"), QStringLiteral("短"), QStringLiteral("短")}));
    EXPECT_EQ(longestKeyProblems(rows).size(), 1); // 10 of 31

    EXPECT_TRUE(longestKeyProblems(keyLengths(39, 0)).isEmpty()); // too few to speak of shares
    EXPECT_EQ(longestKeyProblems(keyLengths(40, 0)).size(), 1);
}

TEST(NumericOrder, NumbersWithTheSameWordsAroundThemStandInAscendingOrder)
{
    EXPECT_FALSE(outOfOrder({QStringLiteral("50米"), QStringLiteral("100米"), QStringLiteral("150米"), QStringLiteral("200米")}));
    // By value, not as text: "100" sorts before "50" as text.
    EXPECT_TRUE(outOfOrder({QStringLiteral("100米"), QStringLiteral("50米"), QStringLiteral("150米"), QStringLiteral("200米")}));
    EXPECT_FALSE(outOfOrder({QStringLiteral("3.8米"), QStringLiteral("4米"), QStringLiteral("4.2米"), QStringLiteral("4.5米")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("4.2米"), QStringLiteral("4米"), QStringLiteral("4.5米"), QStringLiteral("3.8米")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("30")}));
    // The one out of place may be last.
    EXPECT_TRUE(outOfOrder({QStringLiteral("1分"), QStringLiteral("6分"), QStringLiteral("9分"), QStringLiteral("3分")}));
    // Ranges compare by their first number, then the next.
    EXPECT_FALSE(outOfOrder({QStringLiteral("20元以上200元以下"), QStringLiteral("200元以上500元以下"),
                             QStringLiteral("200元以上2000元以下"), QStringLiteral("1000元以上2000元以下")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("20元以上200元以下"), QStringLiteral("1000元以上2000元以下"),
                            QStringLiteral("2000元以上5000元以下"), QStringLiteral("200元以上2000元以下")}));
    // Chinese numerals, full-width digits and thousands separators are numbers too.
    EXPECT_FALSE(outOfOrder({QStringLiteral("两年"), QStringLiteral("三年"), QStringLiteral("十年"), QStringLiteral("十二年")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("十二年"), QStringLiteral("三年"), QStringLiteral("二十年"), QStringLiteral("一百年")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("５０米"), QStringLiteral("１０米"), QStringLiteral("60米"), QStringLiteral("70米")}));
    EXPECT_TRUE(outOfOrder({QStringLiteral("1,000元"), QStringLiteral("200元"), QStringLiteral("2,000元"), QStringLiteral("5,000元")}));

    // Different words around the numbers: not comparable, so not checked.
    EXPECT_FALSE(outOfOrder({QStringLiteral("72小时"), QStringLiteral("24小时"), QStringLiteral("48小时"), QStringLiteral("7日")}));
    EXPECT_FALSE(outOfOrder({QStringLiteral("靠右"), QStringLiteral("30米"), QStringLiteral("20米"), QStringLiteral("10米")}));
    Question judge = options(1, {QStringLiteral("9"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")});
    judge.select = QStringLiteral("N");
    EXPECT_FALSE(numericOptionsOutOfOrder(judge));
}

TEST(NumericOrder, NumberFormsAndTheProblemNamingTheQuestion)
{
    const auto range = numericForm(QStringLiteral("大于4米小于10米"));
    ASSERT_TRUE(range);
    EXPECT_EQ(range->pattern, QStringLiteral("大于#米小于#米"));
    EXPECT_EQ(range->values, (QVector<double>{4, 10}));
    EXPECT_EQ(numericForm(QStringLiteral("三百零五人"))->values, QVector<double>{305});
    EXPECT_EQ(numericForm(QStringLiteral("0.5倍"))->values, QVector<double>{0.5});
    EXPECT_EQ(numericForm(QStringLiteral("1,5米"))->pattern, QStringLiteral("#,#米")); // no thousands group
    EXPECT_FALSE(numericForm(QStringLiteral("靠右停车")));

    const QStringList problems = numericOrderProblems(
        {options(7, {QStringLiteral("15次"), QStringLiteral("20次"), QStringLiteral("40次"), QStringLiteral("30次")}),
         options(8, {QStringLiteral("15次"), QStringLiteral("20次"), QStringLiteral("30次"), QStringLiteral("40次")})});
    EXPECT_EQ(problems, QStringList{QStringLiteral("题号 7：数字选项应从小到大排列，实为 15、20、40、30")});
}
