#include "Support.h"

#include "bank/BankStore.h"
#include "bank/Sqlite.h"
#include "common/FileCopy.h"
#include "common/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(42);
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

QStringList leftoverTempFiles(const Sandbox &sandbox)
{
    return QDir(sandbox.tempDir()).entryList({QStringLiteral("e9p7k6m8.lib.*")}, QDir::Files);
}

// A bank whose rows were inserted out of ID order, with categories spread over them.
QVector<Question> mixedRows()
{
    return {
        choiceRow(30, QStringLiteral("C1C2C3C4A1A3B1A2B2M"), QStringLiteral("C")),
        judgeRow(7, QStringLiteral("DEF")),
        choiceRow(12, QStringLiteral("C1C2C3C4")),
        judgeRow(5, QStringLiteral("xx m yy"), QStringLiteral("错误")),
        choiceRow(21, QStringLiteral("A2B2"), QStringLiteral("D")),
    };
}

class BankQueries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeBank(sandbox.path(QStringLiteral("bank.lib")), mixedRows());
        bank.OpenBank(sandbox.path(QStringLiteral("bank.lib")));
    }

    Sandbox sandbox;
    BankStore bank;
};

} // namespace

TEST(CopyBank, CopiesByteForByteToTheWorkingCopy)
{
    Sandbox sandbox;
    const QByteArray content = randomBytes(3 * 1024 * 1024 + 17);
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), content);

    CopyBank();
    EXPECT_EQ(workingCopyPath(), sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib"));
    EXPECT_EQ(readBytes(workingCopyPath()), content);

    // A second start rewrites the copy from whatever bank lies beside the program now.
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("new bank"));
    CopyBank();
    EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("new bank"));
    EXPECT_TRUE(leftoverTempFiles(sandbox).isEmpty());
}

TEST(CopyBank, WithoutTheKernelCopyEveryByteStillArrives)
{
    Sandbox sandbox;
    KernelCopy missing(KernelCopy::Missing);
    const int sizes[] = {0, 17, 1 << 20, 3 * 1024 * 1024 + 17};
    for (const int size : sizes) {
        const QByteArray content = randomBytes(size);
        writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), content);
        CopyBank();
        EXPECT_EQ(readBytes(workingCopyPath()), content) << size << " bytes";
    }
    EXPECT_EQ(KernelCopy::calls(), int(std::size(sizes))); // asked once each time, then copied itself
    EXPECT_TRUE(leftoverTempFiles(sandbox).isEmpty());
}

// Each failure names the file and the reason, leaves the earlier copy as it was and no
// half-written file beside it.
TEST(CopyBank, AFailedCopyKeepsTheEarlierCopyAndLeavesNothingBehind)
{
    Sandbox sandbox;
    const QString bank = sandbox.appDir() + QStringLiteral("examdb.lib");
    writeBytes(bank, randomBytes(4096));
    struct Case
    {
        const char *name;
        KernelCopy::Mode kernel;
        QString source;
        QString says;
    };
    const Case cases[] = {
        {"the bank shrinks under the kernel copy", KernelCopy::EndsEarly, bank, QStringLiteral("文件在复制时发生了变化")},
        {"the kernel copy fails", KernelCopy::Fails, bank, QStringLiteral("写入题库副本")},
        // Files whose stated size is not what reading them gives, and one that cannot be read.
        {"the size changes under the portable copy", KernelCopy::Missing, QStringLiteral("/proc/self/status"),
         QStringLiteral("文件在复制时发生了变化")},
        {"the source cannot be read", KernelCopy::Missing, QStringLiteral("/proc/self/mem"),
         QStringLiteral("读取题库文件")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(workingCopyPath(), QByteArray("earlier copy"));
        KernelCopy kernel(c.kernel);
        const QString message = failureOf([&] { FileCopy(c.source, workingCopyPath()); });
        EXPECT_TRUE(message.contains(c.says)) << message.toStdString();
        EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("earlier copy"));
        EXPECT_TRUE(leftoverTempFiles(sandbox).isEmpty());
    }

    // A folder standing at the working copy's name cannot be replaced.
    QFile::remove(workingCopyPath());
    QDir().mkpath(workingCopyPath() + QStringLiteral("/inside"));
    const QString blocked = failureOf([] { CopyBank(); });
    EXPECT_TRUE(blocked.contains(workingCopyPath())) << blocked.toStdString();
    EXPECT_TRUE(leftoverTempFiles(sandbox).isEmpty());

    // No folder to put the copy in.
    const QString nowhere = failureOf([&] { FileCopy(bank, sandbox.path(QStringLiteral("gone/e9p7k6m8.lib"))); });
    EXPECT_TRUE(nowhere.contains(sandbox.path(QStringLiteral("gone")))) << nowhere.toStdString();
}

TEST(CopyBank, MissingSourceKeepsTheEarlierCopyAndSaysWhy)
{
    Sandbox sandbox;
    writeBytes(workingCopyPath(), QByteArray("earlier copy"));
    const QString message = failureOf([] { CopyBank(); });
    EXPECT_TRUE(message.contains(bankSourcePath())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("无法打开题库文件")));
    EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("earlier copy"));
}

TEST(CopyBank, ReplacesALinkAtTheWorkingCopyInsteadOfFollowingIt)
{
    Sandbox sandbox;
    const QString victim = sandbox.path(QStringLiteral("victim.txt"));
    writeBytes(victim, QByteArray("not yours"));
    ASSERT_TRUE(QFile::link(victim, workingCopyPath()));
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("bank"));

    CopyBank();
    EXPECT_EQ(readBytes(victim), QByteArray("not yours"));
    EXPECT_FALSE(QFileInfo(workingCopyPath()).isSymLink());
    EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("bank"));
}

TEST(CopyBank, AnOpenCopyIsNotTruncatedUnderItsReader)
{
    Sandbox sandbox;
    writeBank(sandbox.appDir() + QStringLiteral("examdb.lib"),
              {choiceRow(1, QStringLiteral("M")), choiceRow(2, QStringLiteral("M"))});
    CopyBank();
    BankStore first;
    first.OpenBank();

    writeBank(sandbox.appDir() + QStringLiteral("examdb.lib"), {choiceRow(9, QStringLiteral("DEF"))});
    CopyBank();
    EXPECT_EQ(first.QueryCategoryCount(QStringLiteral("M")), 2);

    BankStore second;
    second.OpenBank();
    EXPECT_EQ(second.QueryCategoryCount(QStringLiteral("DEF")), 1);
}

TEST_F(BankQueries, CountMatchesTheCodeAnywhereInAnyCase)
{
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("M")), 2);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("C1C2C3C4")), 2);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("a2b2")), 2);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("DEF")), 1);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("A1A3B1")), 1);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("Z9")), 0);
    // The code is a plain substring, not a pattern.
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("%")), 0);
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("_")), 0);
}

TEST_F(BankQueries, CountLeavesTheLastRowCurrent)
{
    ASSERT_EQ(bank.QueryCategoryCount(QStringLiteral("M")), 2);
    EXPECT_EQ(bank.FieldText(QStringLiteral("id")), QStringLiteral("5"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("answer")), QStringLiteral("错误"));

    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("Z9")), 0);
    EXPECT_FALSE(bank.hasCurrentRecord());
    EXPECT_FALSE(failureOf([&] { bank.FieldText(QStringLiteral("answer")); }).isEmpty());
}

TEST_F(BankQueries, IdsComeInAscendingOrderAndLeaveNoCurrentRecord)
{
    EXPECT_EQ(bank.QueryCategoryIds(QStringLiteral("M")), (QVector<qint32>{5, 30}));
    EXPECT_EQ(bank.QueryCategoryIds(QStringLiteral("C1C2C3C4")), (QVector<qint32>{12, 30}));
    EXPECT_TRUE(bank.QueryCategoryIds(QStringLiteral("Z9")).isEmpty());
    EXPECT_FALSE(bank.hasCurrentRecord());
}

TEST_F(BankQueries, SelectQuestionMakesThatRowCurrent)
{
    bank.SelectQuestion(21);
    EXPECT_EQ(bank.FieldText(QStringLiteral("subject")), QStringLiteral("题目21"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("SUBJECT")), QStringLiteral("题目21"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("select")), QStringLiteral("Y"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("answer")), QStringLiteral("D"));
    EXPECT_EQ(bank.FieldText(QStringLiteral("pic")), QString());

    bank.SelectQuestion(999);
    EXPECT_FALSE(bank.hasCurrentRecord());
    EXPECT_TRUE(failureOf([&] { bank.FieldText(QStringLiteral("subject")); })
                    .contains(QStringLiteral("subject")));
    EXPECT_TRUE(failureOf([&] { bank.CurrentQuestion({Column::Answer}); }).contains(QStringLiteral("answer")));
    EXPECT_TRUE(failureOf([&] { bank.CurrentQuestion({}); }).contains(QStringLiteral("没有当前题目")));
}

TEST_F(BankQueries, UnreadableValuesFailWithTheColumnNamed)
{
    execOnBank(sandbox.path(QStringLiteral("bank.lib")), QStringLiteral("UPDATE TK SET pic = NULL WHERE ID = 12"));
    bank.OpenBank(sandbox.path(QStringLiteral("bank.lib")));
    bank.SelectQuestion(12);
    EXPECT_TRUE(failureOf([&] { bank.FieldText(QStringLiteral("pic")); }).contains(QStringLiteral("pic")));
    EXPECT_TRUE(failureOf([&] { bank.FieldText(QStringLiteral("nosuch")); })
                    .contains(QStringLiteral("nosuch")));
    EXPECT_EQ(bank.FieldText(QStringLiteral("subject")), QStringLiteral("题目12"));
}

TEST(BankIds, AnIdThatIsNoIntegerFailsTheIdQueryNamingIt)
{
    Sandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("ids.lib"));
    // Without a declared type, ID keeps what was stored: text (which sorts as text and is never
    // found by SelectQuestion, even when it reads as a number) or a number beyond 32 bits.
    for (const char *id : {"'x1'", "'8'", "4294967296"}) {
        SCOPED_TRACE(id);
        QFile::remove(path);
        execOnBank(path, QStringLiteral("CREATE TABLE TK (ID, TYPE, subject, a, b, c, d, pic, \"select\", answer);"
                                        "INSERT INTO TK VALUES (7, 'M', 's', '', '', '', '', '', 'N', '正确');"
                                        "INSERT INTO TK VALUES (%1, 'M', 's', '', '', '', '', '', 'N', '正确');")
                             .arg(QLatin1String(id)));
        BankStore bank;
        bank.OpenBank(path);
        const QString message = failureOf([&] { bank.QueryCategoryIds(QStringLiteral("M")); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(id).remove(QLatin1Char('\'')))) << message.toStdString();
    }
}

TEST_F(BankQueries, AQuestionWithoutAnIdFailsTheIdQuery)
{
    const QString path = sandbox.path(QStringLiteral("bank.lib"));
    execOnBank(path, QStringLiteral("UPDATE TK SET ID = NULL WHERE ID = 5"));
    bank.OpenBank(path);
    const QString none = failureOf([&] { bank.QueryCategoryIds(QStringLiteral("M")); });
    EXPECT_TRUE(none.contains(QStringLiteral("缺少题号"))) << none.toStdString();
}

// Queries on a bank that is locked by a writer, or that could not be opened, fail with a reason
// instead of reading nothing.
TEST_F(BankQueries, QueriesOnABankThatCannotBeReadSayWhy)
{
    {
        SqliteDb writer;
        writer.openForWriting(sandbox.path(QStringLiteral("bank.lib")));
        writer.exec("BEGIN EXCLUSIVE");
        const QString locked = failureOf([&] { bank.QueryCategoryCount(QStringLiteral("M")); });
        EXPECT_TRUE(locked.contains(QStringLiteral("正被其他程序占用"))) << locked.toStdString();
        EXPECT_TRUE(locked.contains(sandbox.path(QStringLiteral("bank.lib")))) << locked.toStdString();
        writer.exec("ROLLBACK");
    }
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("M")), 2);

    EXPECT_FALSE(failureOf([&] { bank.OpenBank(sandbox.path(QStringLiteral("none.lib"))); }).isEmpty());
    EXPECT_FALSE(bank.isOpen());
    EXPECT_TRUE(failureOf([&] { bank.QueryCategoryIds(QStringLiteral("M")); }).contains(QStringLiteral("题库尚未打开")));
}

TEST(OpenBank, AMissingWorkingCopyFails)
{
    Sandbox sandbox;
    BankStore bank;
    const QString message = failureOf([&] { bank.OpenBank(); });
    EXPECT_TRUE(message.contains(workingCopyPath())) << message.toStdString();
}

// ---- the SQLite layer ----

TEST(SqliteLayer, ALockedBankIsReportedAsInUseNotAsDamaged)
{
    Sandbox sandbox;
    writeBank(workingCopyPath(), {choiceRow(1, QStringLiteral("M"))});
    SqliteDb other;
    other.openForWriting(workingCopyPath());
    other.exec("BEGIN EXCLUSIVE");

    BankStore bank;
    const QString message = failureOf([&] { bank.OpenBank(); });
    EXPECT_TRUE(message.contains(QStringLiteral("正被其他程序占用"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("已损坏"))) << message.toStdString();
    try {
        bank.OpenBank();
    } catch (const SqliteError &error) {
        EXPECT_TRUE(error.isBusy());
    }

    other.exec("ROLLBACK");
    bank.OpenBank();
    EXPECT_EQ(bank.QueryCategoryCount(QStringLiteral("M")), 1);
}

TEST(SqliteLayer, AFailedStepKeepsItsCodeAndLeavesTheStatementReusable)
{
    Sandbox sandbox;
    SqliteDb db;
    db.openForWriting(sandbox.path(QStringLiteral("t.db")));
    db.exec("CREATE TABLE t (x INTEGER UNIQUE)");
    SqliteStatement insert(db, "INSERT INTO t VALUES (?1)");
    insert.bind(1, qint64(1));
    insert.step();
    insert.reset();
    try {
        insert.step();
        ADD_FAILURE() << "a duplicate was inserted";
    } catch (const SqliteError &error) {
        EXPECT_EQ(error.primaryCode(), 19); // SQLITE_CONSTRAINT
        EXPECT_FALSE(error.isDamage());
    }
    insert.reset();
    insert.bind(1, qint64(2));
    EXPECT_FALSE(insert.step());
    EXPECT_THROW(insert.bind(2, qint64(3)), SqliteError); // no such parameter

    SqliteStatement read(db, "SELECT x, typeof(x) FROM t ORDER BY x");
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.type(0), SqliteStatement::Type::Integer);
    EXPECT_EQ(read.integer(0), 1);
}

TEST(SqliteLayer, ATransactionLeftWithoutCommitIsRolledBack)
{
    Sandbox sandbox;
    SqliteDb db;
    db.openForWriting(sandbox.path(QStringLiteral("t.db")));
    db.exec("CREATE TABLE t (x)");
    const auto rows = [&] {
        SqliteStatement count(db, "SELECT count(*) FROM t");
        count.step();
        return count.integer(0);
    };
    {
        SqliteTransaction transaction(db);
        db.exec("INSERT INTO t VALUES (1)");
    }
    EXPECT_EQ(rows(), 0);
    {
        SqliteTransaction transaction(db);
        db.exec("INSERT INTO t VALUES (1)");
        transaction.commit();
    }
    EXPECT_EQ(rows(), 1);
}
