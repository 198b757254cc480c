#include "Support.h"

#include "bank/BankStore.h"
#include "bank/BankTool.h"
#include "bank/QuestionSource.h"
#include "common/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cctype>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QByteArray kHeader = "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\n";

QByteArray choiceLine(const QByteArray &id, const QByteArray &type = "C1C2C3C4")
{
    return id + '\t' + type + "\t题干" + id + "\t甲\t乙\t丙\t丁\t\tY\tB\t条例" + id + '\n';
}

QByteArray judgeLine(const QByteArray &id, const QByteArray &type = "A2B2", const QByteArray &pic = {})
{
    return id + '\t' + type + "\t判断" + id + "\t\t\t\t\t" + pic + "\tN\t正确\t第" + id + "条\n";
}

// A line with every field given, for the content rules.
QByteArray line(const QByteArray &id, const QByteArray &type, const QByteArray &options,
                const QByteArray &pic, const QByteArray &select, const QByteArray &answer,
                const QByteArray &subject = "题干")
{
    return id + '\t' + type + '\t' + subject + '\t' + options + '\t' + pic + '\t' + select + '\t'
           + answer + "\t依据\n";
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

QString joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

struct SourceCase
{
    const char *name;
    QByteArray bytes;
    const char *expected; // the start of the one problem reported
    const char *detail;   // a fragment that explains it
};

const QByteArray kOptions = "甲\t乙\t丙\t丁";
const QByteArray kNoOptions = "\t\t\t";

std::vector<SourceCase> badSources()
{
    return {
        {"empty file", "", "第 1 行：", "缺少表头"},
        {"header letter case", QByteArray(kHeader).replace("subject", "Subject") + choiceLine("1"),
         "第 1 行：", "第 3 列应为“subject”，实为“Subject”"},
        {"header missing basis", QByteArray(kHeader).replace("\tbasis", "") + choiceLine("1"),
         "第 1 行：", "实有 10 列"},
        {"byte order mark", "\xEF\xBB\xBF" + kHeader + choiceLine("1"), "第 1 行：", "BOM"},
        {"CRLF line ends", QByteArray(kHeader + choiceLine("1")).replace("\n", "\r\n"), "第 1 行：",
         "回车符"},
        {"CR inside a row", kHeader + choiceLine("1") + "2\tM\t题\r干\t\t\t\t\t\tN\t正确\t\n", "第 3 行：",
         "回车符"},
        {"short line", kHeader + choiceLine("1") + "2\tM\t题干\t\t\t\t\t\tN\t正确\n", "第 3 行：",
         "实有 10 个"},
        {"long line", kHeader + "1\tM\t题干\t\t\t\t\t\tN\t正确\t依据\t多余\n", "第 2 行：", "实有 12 个"},
        {"blank line", kHeader + choiceLine("1") + "\n" + choiceLine("2"), "第 3 行：", "空行"},
        {"non-number id", kHeader + choiceLine("x1"), "第 2 行：", "题号“x1”不是正整数"},
        {"empty id", kHeader + choiceLine(""), "第 2 行：", "题号“”不是正整数"},
        {"zero id", kHeader + choiceLine("0"), "第 2 行：", "题号“0”不是正整数"},
        {"negative id", kHeader + choiceLine("-3"), "第 2 行：", "题号“-3”不是正整数"},
        {"id with spaces", kHeader + choiceLine(" 3"), "第 2 行：", "不是正整数"},
        {"leading zero", kHeader + choiceLine("07"), "第 2 行：", "不应以 0 开头"},
        {"id beyond 32 bits", kHeader + choiceLine("2147483648"), "第 2 行：", "超出范围"},
        {"duplicate id", kHeader + choiceLine("5") + judgeLine("6") + choiceLine("5"), "第 4 行：",
         "题号 5 与第 2 行重复"},
        {"invalid byte", kHeader + choiceLine("1") + choiceLine("2").replace("题干", "\xC3\x28"),
         "第 3 行：", "UTF-8"},
        {"overlong encoding", kHeader + choiceLine("1").replace("题干", "\xC0\xAF"), "第 2 行：", "UTF-8"},
        {"encoded surrogate", kHeader + choiceLine("1").replace("题干", "\xED\xA0\x80"), "第 2 行：",
         "UTF-8"},
        {"truncated sequence", kHeader + choiceLine("1").replace("题干", "\xE9\xA2"), "第 2 行：", "UTF-8"},
        {"select neither Y nor N", kHeader + line("4", "M", kOptions, "", "y", "A"), "第 2 行（题号 4）：",
         "实为“y”"},
        {"choice answer beyond D", kHeader + line("4", "M", kOptions, "", "Y", "E"), "第 2 行（题号 4）：",
         "A、B、C、D"},
        {"choice answer in letter case", kHeader + line("4", "M", kOptions, "", "Y", "a"),
         "第 2 行（题号 4）：", "实为“a”"},
        {"judge answer", kHeader + line("4", "M", kNoOptions, "", "N", "对"), "第 2 行（题号 4）：",
         "“正确”或“错误”"},
        {"missing option", kHeader + line("4", "M", "甲\t乙\t \t丁", "", "Y", "A"),
         "第 2 行（题号 4）：", "缺少选项 C"},
        {"judge with option", kHeader + line("4", "M", "\t\t\t丁", "", "N", "错误"),
         "第 2 行（题号 4）：", "选项 D 有内容"},
        {"empty subject", kHeader + line("4", "M", kOptions, "", "Y", "A", ""), "第 2 行（题号 4）：",
         "题干"},
        {"unknown category", kHeader + line("4", "Z9", kOptions, "", "Y", "A"), "第 2 行（题号 4）：",
         "“Z9”不含任何已知类别代码"},
        {"empty category", kHeader + line("4", "", kOptions, "", "Y", "A"), "第 2 行（题号 4）：",
         "已知类别代码"},
        {"picture climbing up", kHeader + line("4", "M", kOptions, "../secret", "Y", "A"),
         "第 2 行（题号 4）：", "不安全"},
        {"picture in a folder", kHeader + line("4", "M", kOptions, "sub/p", "Y", "A"),
         "第 2 行（题号 4）：", "不安全"},
        {"picture with backslash", kHeader + line("4", "M", kOptions, "sub\\p", "Y", "A"),
         "第 2 行（题号 4）：", "不安全"},
        {"picture naming the parent folder", kHeader + line("4", "M", kOptions, "..", "Y", "A"),
         "第 2 行（题号 4）：", "上级目录"},
    };
}

class BadSource : public ::testing::TestWithParam<SourceCase>
{
};

TEST_P(BadSource, IsRefusedWithTheLineAndNoBankIsWritten)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("out/examdb.lib"));
    QDir().mkpath(QFileInfo(out).path());

    const ParsedSource result = buildBank(GetParam().bytes, out);

    ASSERT_EQ(result.problems.size(), 1) << joined(result.problems).toStdString();
    const QString problem = result.problems.first();
    EXPECT_TRUE(problem.startsWith(QString::fromUtf8(GetParam().expected))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QString::fromUtf8(GetParam().detail))) << problem.toStdString();
    EXPECT_TRUE(filesIn(QFileInfo(out).path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(QuestionSource, BadSource, ::testing::ValuesIn(badSources()),
                         [](const auto &info) {
                             std::string name = info.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(QuestionSource, ReportsEveryProblemNotJustTheFirst)
{
    const ParsedSource result =
        parseSource(kHeader + choiceLine("x") + choiceLine("2") + line("3", "Q", kNoOptions, "", "Y", "Z"));
    // Line 2's id, then line 4's category, answer and four missing options.
    ASSERT_EQ(result.problems.size(), 4) << joined(result.problems).toStdString();
    EXPECT_TRUE(result.problems.at(0).startsWith(QStringLiteral("第 2 行")));
    EXPECT_TRUE(result.problems.at(3).contains(QStringLiteral("缺少选项 A、B、C、D")));
}

TEST(QuestionSource, ReadsRowsWithTheirLines)
{
    const QByteArray source = kHeader + choiceLine("9") + judgeLine("3", "xxdefxx", "Sign_Stop");
    const ParsedSource result = parseSource(source.chopped(1)); // no newline after the last line
    ASSERT_TRUE(result.ok()) << joined(result.problems).toStdString();
    ASSERT_EQ(result.rows.size(), 2);
    EXPECT_EQ(result.rows.at(0).line, 2);
    EXPECT_EQ(result.rows.at(1).line, 3);
    const Question &judge = result.rows.at(1).question;
    EXPECT_EQ(judge.id, 3);
    EXPECT_EQ(judge.type, QStringLiteral("xxdefxx")); // codes match in any letter case
    EXPECT_EQ(judge.subject, QStringLiteral("判断3"));
    EXPECT_EQ(judge.pic, QStringLiteral("Sign_Stop"));
    EXPECT_EQ(judge.answer, QStringLiteral("正确"));
    EXPECT_EQ(judge.basis, QStringLiteral("第3条"));
    EXPECT_TRUE(judge.a.isEmpty() && judge.d.isEmpty());
}

TEST(QuestionSource, WritesWhatItReads)
{
    const QByteArray source = kHeader + choiceLine("9", "C1C2C3C4A1A3B1A2B2M") + judgeLine("3");
    const ParsedSource parsed = parseSource(source);
    QVector<Question> rows;
    for (const SourceRow &row : parsed.rows)
        rows.append(row.question);
    EXPECT_EQ(sourceBytes(rows), source);

    rows[1].subject = QStringLiteral("带\t制表符");
    const QString failure = failureOf([&] { sourceBytes(rows); });
    EXPECT_TRUE(failure.contains(QStringLiteral("题号 3")) && failure.contains(QStringLiteral("subject")))
        << failure.toStdString();
}

TEST(QuestionSource, MissingFileIsAFailureNamingIt)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("nosuch.tsv"));
    EXPECT_TRUE(failureOf([&] { readSourceFile(path); }).contains(path));
}

TEST(BuildBank, WritesABankTheProgramReads)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("examdb.lib"));
    const ParsedSource result =
        buildBank(kHeader + choiceLine("30", "C1C2C3C4A1A3B1A2B2M") + judgeLine("7", "A2B2"), out);
    ASSERT_TRUE(result.ok()) << joined(result.problems).toStdString();
    // An eleven-column source has no explanations, which is all the check finds.
    EXPECT_EQ(checkBank(out), QStringList{QStringLiteral("题库中没有解析（表 EXPLAIN），2 道题都缺少解析")});
    EXPECT_EQ(filesIn(sandbox.path()), QStringList{QStringLiteral("examdb.lib")});
    EXPECT_TRUE(QFileInfo(out).permissions() & QFileDevice::ReadOther);

    BankStore bank;
    bank.OpenBank(out);
    EXPECT_EQ(bank.QueryCategoryIds(QStringLiteral("a2b2")), (QVector<qint32>{7, 30}));
    bank.SelectQuestion(7);
    EXPECT_EQ(bank.FieldText(QStringLiteral("answer")), QStringLiteral("正确"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("a")), QString());
    bank.SelectQuestion(30);
    EXPECT_EQ(bank.FieldText(QStringLiteral("select")), QStringLiteral("Y"));
}

TEST(BuildBank, SchemaRefusesNullsAndDuplicateIds)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("examdb.lib"));
    ASSERT_TRUE(buildBank(kHeader + choiceLine("1"), out).ok());
    EXPECT_FALSE(failureOf([&] { execOnBank(out, QStringLiteral("UPDATE TK SET pic = NULL")); }).isEmpty());
    EXPECT_FALSE(failureOf([&] {
                     execOnBank(out, QStringLiteral("INSERT INTO TK SELECT * FROM TK"));
                 }).isEmpty());
}

TEST(BuildBank, FailedBuildLeavesTheEarlierBankAsItWas)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("examdb.lib"));
    ASSERT_TRUE(buildBank(kHeader + choiceLine("1"), out).ok());
    const QByteArray before = readBytes(out);

    EXPECT_FALSE(buildBank(kHeader + choiceLine("2") + choiceLine("2"), out).ok());
    EXPECT_EQ(readBytes(out), before);
    EXPECT_EQ(filesIn(sandbox.path()), QStringList{QStringLiteral("examdb.lib")});
}

TEST(BuildBank, UnwritableTargetIsAFailureNamingIt)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("nosuchdir/examdb.lib"));
    const QString failure = failureOf([&] { buildBank(kHeader + choiceLine("1"), out); });
    EXPECT_TRUE(failure.contains(sandbox.path(QStringLiteral("nosuchdir")))) << failure.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(BuildBank, ExportGivesBackTheSourceSortedById)
{
    Sandbox sandbox;
    const QString out = sandbox.path(QStringLiteral("examdb.lib"));
    const QByteArray unusual = "12\tc1c2c3c4M\t“引号”、\"双引号\" 与 \\反斜杠\\\t 前后空格 \t乙\t丙\t丁\tPic_1\tY\tD\t\n";
    const QByteArray largest = judgeLine("2147483647");
    ASSERT_TRUE(buildBank(kHeader + choiceLine("300") + judgeLine("7") + unusual + largest, out).ok());
    EXPECT_EQ(exportBank(out), kHeader + judgeLine("7") + unusual + choiceLine("300") + largest);
}

TEST(ExportBank, BankWithoutBasisExportsEmptyBasis)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("bank.lib"));
    writeBank(path, {judgeRow(5, QStringLiteral("M"), QStringLiteral("错误")),
                     choiceRow(2, QStringLiteral("DEF"))});
    const QVector<Question> rows = readBankRows(path);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).id, 2);
    EXPECT_EQ(rows.at(1).answer, QStringLiteral("错误"));
    EXPECT_TRUE(rows.at(1).basis.isEmpty());

    execOnBank(path, QStringLiteral("UPDATE TK SET d = NULL WHERE ID = 2"));
    const QString failure = failureOf([&] { exportBank(path); });
    EXPECT_TRUE(failure.contains(QStringLiteral("题号 2")) && failure.contains(QStringLiteral("d")))
        << failure.toStdString();
}

// A bank made by hand with one fault per row, and the pictures some of them name.
class BadBank : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString type = QStringLiteral("C1C2C3C4");
        Question badSelect = choiceRow(3, type);
        badSelect.select = QStringLiteral("X");
        Question missingOption = choiceRow(6, type);
        missingOption.c.clear();
        Question unsafe = choiceRow(8, type);
        unsafe.pic = QStringLiteral("../../etc/passwd");
        Question missingPic = choiceRow(9, type);
        missingPic.pic = QStringLiteral("nosuch");
        Question brokenPic = choiceRow(10, type);
        brokenPic.pic = QStringLiteral("broken");
        Question goodPic = judgeRow(11, type);
        goodPic.pic = QStringLiteral("Sign"); // the file is sign.jpg
        const Question noId = choiceRow(13, type);

        writeBank(bankPath(),
                  {choiceRow(1, type), choiceRow(2, type), badSelect, choiceRow(4, type, QStringLiteral("E")),
                   judgeRow(5, type, QStringLiteral("对")), missingOption, choiceRow(7, QStringLiteral("Z9")),
                   unsafe, missingPic, brokenPic, goodPic, choiceRow(1, type), noId});
        execOnBank(bankPath(), QStringLiteral("UPDATE TK SET answer = NULL WHERE ID = 2"));
        execOnBank(bankPath(), QStringLiteral("UPDATE TK SET ID = NULL WHERE ID = 13"));
        execOnBank(bankPath(),
                   QStringLiteral("INSERT INTO TK VALUES ('abc', 'M', 's', '', '', '', '', '', 'N', '正确')"));

        writeJpeg(sandbox.path(QStringLiteral("assets/pic/sign.jpg")), solidImage(8, 8, qRgb(200, 0, 0)));
        writeBytes(sandbox.path(QStringLiteral("assets/pic/broken.jpg")), "not a picture at all");
    }

    QString bankPath() const { return sandbox.path(QStringLiteral("bad.lib")); }
    QString assets() const { return sandbox.path(QStringLiteral("assets")); }

    Sandbox sandbox;
};

TEST_F(BadBank, CheckNamesEachRowAndItsFault)
{
    const QStringList problems = checkBank(bankPath(), assets());
    const std::pair<const char *, const char *> expected[] = {
        {"题号 2：", "字段 answer 为空值（NULL）"},
        {"题号 3：", "实为“X”"},
        {"题号 4：", "实为“E”"},
        {"题号 5：", "实为“对”"},
        {"题号 6：", "缺少选项 C"},
        {"题号 7：", "“Z9”"},
        {"题号 8：", "不安全"},
        {"题号 9：", "pic/nosuch.jpg"},
        {"题号 10：", "pic/broken.jpg 无法解码"},
        {"第 12 条记录：", "题号 1 与第 1 条记录重复"},
        {"第 13 条记录：", "题号（ID）为空值（NULL）"},
        {"第 14 条记录：", "题号“abc”不是正整数"},
        {"题库中没有解析", "道题都缺少解析"},
    };
    for (const auto &[label, fault] : expected) {
        const QString wanted = QString::fromUtf8(label);
        const bool found = std::any_of(problems.begin(), problems.end(), [&](const QString &problem) {
            return problem.startsWith(wanted) && problem.contains(QString::fromUtf8(fault));
        });
        EXPECT_TRUE(found) << label << fault << "\n" << joined(problems).toStdString();
    }
    EXPECT_EQ(problems.size(), int(std::size(expected))) << joined(problems).toStdString();
}

TEST_F(BadBank, PicturesAreOnlyLookedForWithAnAssetsFolder)
{
    const QStringList problems = checkBank(bankPath());
    EXPECT_FALSE(joined(problems).contains(QStringLiteral("nosuch")));
    EXPECT_TRUE(joined(problems).contains(QStringLiteral("题号 8：")));
    EXPECT_TRUE(failureOf([&] { checkBank(bankPath(), sandbox.path(QStringLiteral("noassets"))); })
                    .contains(QStringLiteral("noassets")));
}

TEST(CheckBank, IdsStoredAsTextAreFound)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("text-ids.lib"));
    execOnBank(path, QStringLiteral("CREATE TABLE TK (ID, TYPE, subject, a, b, c, d, pic, \"select\", answer);"
                                    "INSERT INTO TK VALUES (7, 'M', 's', '', '', '', '', '', 'N', '正确');"
                                    "INSERT INTO TK VALUES ('8', 'M', 't', '', '', '', '', '', 'N', '正确');"
                                    "CREATE TABLE \"EXPLAIN\" (ID INTEGER, explain TEXT);"
                                    "INSERT INTO \"EXPLAIN\" VALUES (7, '七'), (8, '八');"));
    const QStringList problems = checkBank(path);
    ASSERT_EQ(problems.size(), 1) << joined(problems).toStdString();
    EXPECT_TRUE(problems.first().contains(QStringLiteral("“8”不是以整数保存的")));
}

TEST(CheckBank, NamesMissingTableAndColumns)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("bank.lib"));
    execOnBank(path, QStringLiteral("CREATE TABLE other (x)"));
    EXPECT_EQ(checkBank(path), QStringList{QStringLiteral("题库 %1 中没有表 TK").arg(path)});

    execOnBank(path, QStringLiteral("CREATE TABLE tk (ID INTEGER, TYPE, subject, a, b, c, d, answer)"));
    EXPECT_EQ(checkBank(path), (QStringList{QStringLiteral("表 TK 缺少字段 pic"),
                                            QStringLiteral("表 TK 缺少字段 select")}));
    EXPECT_TRUE(failureOf([&] { bankStatistics(path); }).contains(QStringLiteral("pic")));
}

TEST(CheckBank, FileThatIsNoBankIsAFailure)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("junk.lib"));
    writeBytes(path, QByteArray(4096, 'x'));
    EXPECT_TRUE(failureOf([&] { checkBank(path); }).contains(path));
    const QString missing = sandbox.path(QStringLiteral("nosuch.lib"));
    EXPECT_TRUE(failureOf([&] { checkBank(missing); }).contains(missing));
}

TEST(BankStats, CountsEachCategoryAsTheProgramSelectsIt)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("bank.lib"));
    Question pictured = judgeRow(4, QStringLiteral("c1c2c3c4m"));
    pictured.pic = QStringLiteral("p");
    writeBank(path, {choiceRow(1, QStringLiteral("C1C2C3C4A1A3B1A2B2M")),
                     choiceRow(2, QStringLiteral("A2B2")), judgeRow(3, QStringLiteral("DEF")), pictured});

    const QVector<CategoryStats> stats = bankStatistics(path).categories;
    struct Expected { const char *code; int questions, choice, judge, pictures; };
    const Expected expected[] = {
        {"A1A3B1", 1, 1, 0, 0}, {"A2B2", 2, 2, 0, 0}, {"C1C2C3C4", 2, 1, 1, 1},
        {"M", 2, 1, 1, 1},      {"DEF", 1, 0, 1, 0},  {"合计", 4, 2, 2, 1},
    };
    ASSERT_EQ(stats.size(), int(std::size(expected)));
    for (int i = 0; i < stats.size(); ++i) {
        SCOPED_TRACE(expected[i].code);
        EXPECT_EQ(stats[i].code, QString::fromUtf8(expected[i].code));
        EXPECT_EQ(stats[i].questions, expected[i].questions);
        EXPECT_EQ(stats[i].choice, expected[i].choice);
        EXPECT_EQ(stats[i].judge, expected[i].judge);
        EXPECT_EQ(stats[i].withPicture, expected[i].pictures);
    }

    const QStringList lines = statsTable(stats).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.at(3).toStdString(), "C1C2C3C4     2       1       1       1       0                   -");
    EXPECT_EQ(lines.at(6).toStdString(), "合计         4       2       2       1       0                   -");
}

// The built tool, run as a bank maintainer or the build runs it: without any display.
class BankToolProgram : public ::testing::Test
{
protected:
    struct Outcome
    {
        int exitCode = -1;
        QByteArray out;
        QString err;
    };

    Outcome run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KEMUYI_BANK_TOOL), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString path(const char *name) const { return sandbox.path(QString::fromLatin1(name)); }

    Sandbox sandbox;
};

TEST_F(BankToolProgram, ExitCodesAndOutputs)
{
    const QByteArray source = kHeader + choiceLine("20") + judgeLine("10", "M");
    writeBytes(path("good.tsv"), source);
    writeBytes(path("bad.tsv"), kHeader + choiceLine("x1"));
    writeBytes(path("explained.tsv"), "ID\tTYPE\tsubject\ta\tb\tc\td\tpic\tselect\tanswer\tbasis\ttopic\texplain\n"
                                      "3\tM\t判断3\t\t\t\t\t\tN\t正确\t依据\tvehicle\t三号题的解析\n");
    writeBank(path("bad.lib"), {choiceRow(1, QStringLiteral("Z9"))});

    struct Case { QStringList arguments; int exitCode; const char *inStderr; };
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, ""},
        {{}, 2, "缺少命令"},
        {{QStringLiteral("frobnicate")}, 2, "frobnicate"},
        {{QStringLiteral("build"), path("good.tsv")}, 2, "-o"},
        {{QStringLiteral("check"), path("good.lib"), QStringLiteral("--bogus")}, 2, "--bogus"},
        {{QStringLiteral("export"), path("good.lib"), QStringLiteral("-o")}, 2, "缺少参数"},
        {{QStringLiteral("build"), path("nosuch.tsv"), QStringLiteral("-o"), path("x.lib")}, 1, "nosuch.tsv"},
        {{QStringLiteral("build"), path("bad.tsv"), QStringLiteral("-o"), path("x.lib")}, 1,
         "第 2 行：题号“x1”不是正整数"},
        {{QStringLiteral("build"), path("good.tsv"), QStringLiteral("-o"), path("good.lib")}, 0, "2 道题"},
        {{QStringLiteral("check"), path("good.lib")}, 1, "缺少解析"},
        {{QStringLiteral("build"), path("explained.tsv"), QStringLiteral("-o"), path("explained.lib")}, 0, "1 道题"},
        {{QStringLiteral("check"), path("explained.lib")}, 0, "检查通过"},
        {{QStringLiteral("check"), path("bad.lib")}, 1, "题号 1："},
        {{QStringLiteral("check"), path("nosuch.lib")}, 1, "nosuch.lib"},
        {{QStringLiteral("stats"), path("good.lib")}, 0, ""},
        {{QStringLiteral("export"), path("good.lib"), QStringLiteral("-o"), path("out.tsv")}, 0, ""},
    };
    for (const Case &c : cases) {
        const Outcome outcome = run(c.arguments);
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString() + "\n" + outcome.err.toStdString());
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(c.inStderr)));
    }
    EXPECT_FALSE(QFileInfo::exists(path("x.lib")));
    EXPECT_EQ(readBytes(path("out.tsv")), kHeader + judgeLine("10", "M") + choiceLine("20"));

    const Outcome exported = run({QStringLiteral("export"), path("good.lib")});
    EXPECT_EQ(exported.out, kHeader + judgeLine("10", "M") + choiceLine("20"));
    const Outcome stats = run({QStringLiteral("stats"), path("good.lib")});
    EXPECT_TRUE(stats.out.contains("C1C2C3C4     1       1       0       0")) << stats.out.toStdString();
}

} // namespace
