// The program on a Jet bank: the bank tool converts it in a child process at start-up, every field
// arrives as written, and a damaged file, a hung or crashed conversion or a missing tool is
// reported while the earlier working copy stays.

#include "JetSamples.h"
#include "PracticeFixture.h"
#include "Support.h"

#include "app/Unit2.h"
#include "bank/BankStore.h"
#include "bank/JetConversion.h"
#include "bank/Sqlite.h"
#include "practice/QuestionText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QString kSubjectBeyondBmp = QStringLiteral("“𠮷”字在基本多文种平面之外：𠮷野");

class JetProgram : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QFile::link(QStringLiteral(KEMUYI_BANK_TOOL), bankToolPath())); }

    QString bankPath() const { return sandbox.appDir() + QStringLiteral("examdb.lib"); }

    void useFakeTool(const QByteArray &script)
    {
        QFile::remove(bankToolPath());
        writeBytes(bankToolPath(), "#!/bin/sh\n" + script + '\n');
        QFile::setPermissions(bankToolPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // CopyBank over an earlier working copy: the failure's message, with the copy untouched and
    // nothing left beside it.
    QString failedCopy()
    {
        writeBytes(workingCopyPath(), QByteArray("earlier copy"));
        const QString message = failureOf([] { CopyBank(); });
        EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("earlier copy"));
        EXPECT_EQ(QDir(sandbox.tempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("e9p7k6m8.lib")});
        return message;
    }

    Sandbox sandbox;
    FailureLog failures;
};

} // namespace

TEST_F(JetProgram, EveryFieldOfAJet3AndAJet4BankReachesThePracticeWindow)
{
    jet::JetWriteOptions jet3;
    jet3.version = jet::JetVersion::Jet3;
    for (const jet::JetWriteOptions &options : {jet::JetWriteOptions{}, jet3}) {
        writeSampleJet(options, bankPath());
        CopyBank();
        BankStore store;
        store.OpenBank();
        const jet::JetTable table = sampleQuestionTable(options.version);
        EXPECT_EQ(store.QueryCategoryCount(QStringLiteral("m")), 396); // row 4 and rows 6 to 400
        for (const auto &row : table.rows) {
            store.SelectQuestion(qint32(std::get<qint64>(*row.at(0))));
            for (int c = 1; c < table.columns.size(); ++c) {
                const QString name = table.columns.at(c).name;
                const std::optional<QString> expected = valueText(row.at(c));
                if (expected)
                    EXPECT_EQ(store.FieldText(name), *expected) << name.toStdString();
                else
                    EXPECT_TRUE(failureOf([&] { store.FieldText(name); }).contains(QStringLiteral("NULL")));
            }
        }
    }

    // The program's own window, on the Jet 4 bank: question 3 is the second of category A2B2.
    writeAllPictures(sandbox.appDir());
    writeSampleJet({}, bankPath());
    CopyBank();
    TForm2 form;
    form.Edit1->setText(QStringLiteral("A2B2"));
    form.show();
    form.ImgSxlxClick();
    form.ImgNextClick();
    EXPECT_EQ(form.run().CurrentQuestionId, 3);
    Question shown;
    shown.id = 3;
    shown.subject = kSubjectBeyondBmp;
    shown.select = QStringLiteral("N");
    EXPECT_EQ(form.Label1->text(), composeQuestionText(2, shown));
}

TEST_F(JetProgram, ADamagedJetFileIsReportedAndTheEarlierCopyStays)
{
    const QByteArray good = writeSampleJet({});
    const struct
    {
        QByteArray bytes;
        const char *reason;
    } cases[] = {
        {good.left(good.size() / 2), "超出了文件"},
        {good.left(3 * 4096), "MSysObjects"},
        {QByteArray(good).replace(4, 16, QByteArray("Standard ACE DB\0", 16)), ".accdb"},
    };
    for (const auto &damaged : cases) {
        writeBytes(bankPath(), damaged.bytes);
        const QString message = failedCopy();
        EXPECT_TRUE(message.startsWith(QStringLiteral("题库文件已损坏：%1（").arg(bankPath()))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(damaged.reason))) << message.toStdString();
    }
}

TEST_F(JetProgram, AHungCrashedOrMissingConversionIsReportedInTime)
{
    writeSampleJet({}, bankPath());
    const int limit = jetConversionTimeLimitMs();
    setJetConversionTimeLimitMs(500);
    useFakeTool("exec sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(failedCopy().contains(QStringLiteral("仍未完成，已中止")));
    EXPECT_LT(clock.elapsed(), 10'000);
    setJetConversionTimeLimitMs(limit);

    useFakeTool("kill -SEGV $$");
    EXPECT_TRUE(failedCopy().contains(QStringLiteral("转换程序异常终止")));

    QFile::remove(bankToolPath());
    EXPECT_TRUE(failedCopy().contains(QStringLiteral("kemuyi-bank 不存在")));
}

// The built program in a folder of its own with a 100,000-question Jet bank: it starts, makes its
// working copy from the bank and stops cleanly; a damaged bank at the next start leaves that copy
// and the program running.
TEST(JetEndToEnd, TheRealProgramStartsOnALargeJetBank)
{
    Sandbox sandbox;
    const QString app = sandbox.appDir();
    const QDir bin(QStringLiteral(KEMUYI_BIN_DIR));
    for (const QString &name : bin.entryList({QStringLiteral("*.jpg")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(bin.filePath(name), app + name));
    QDir(app).mkpath(QStringLiteral("pic"));
    for (const QString &name : QDir(bin.filePath(QStringLiteral("pic"))).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(bin.filePath(QStringLiteral("pic/") + name), app + QStringLiteral("pic/") + name));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KEMUYI_PROGRAM), app + QStringLiteral("kemuyi")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KEMUYI_BANK_TOOL), app + QStringLiteral("kemuyi-bank")));

    QVector<Question> rows;
    for (int id = 1; id <= 100'000; ++id) {
        rows.append(question(id, id % 2 ? QStringLiteral("C1C2C3C4M") : QStringLiteral("A2B2DEF"),
                             QStringLiteral("第%1题：驾驶机动车在高速公路上行驶，应当怎样做？").arg(id),
                             {QStringLiteral("A、甲"), QStringLiteral("B、乙"), QStringLiteral("C、丙"), QStringLiteral("D、丁")},
                             QString(), QStringLiteral("Y"), QStringLiteral("C")));
    }
    const QByteArray bank = jet::writeJetFile({jet::questionTable(rows)}, {});
    writeBytes(app + QStringLiteral("examdb.lib"), bank);

    const auto start = [&](QProcess &process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TMPDIR"), sandbox.tempDir());
        process.setProcessEnvironment(environment);
        process.start(app + QStringLiteral("kemuyi"), {});
        ASSERT_TRUE(process.waitForStarted());
    };
    const QString copy = sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib");
    {
        QProcess process;
        start(process);
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(copy) && clock.elapsed() < 120'000) // sanitizer builds read slowly
            QTest::qWait(50);
        ASSERT_TRUE(QFile::exists(copy));
        SqliteDb db;
        db.openReadOnly(copy);
        SqliteStatement count(db, "SELECT count(*), sum(ID), (SELECT subject FROM TK WHERE ID = 1) FROM TK");
        ASSERT_TRUE(count.step());
        EXPECT_EQ(count.text(0), QStringLiteral("100000"));
        EXPECT_EQ(count.text(1), QStringLiteral("5000050000"));
        EXPECT_EQ(count.text(2), rows.first().subject);
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(10'000));
        EXPECT_EQ(process.exitCode(), 0);
    }
    const QByteArray workingCopy = readBytes(copy);
    writeBytes(app + QStringLiteral("examdb.lib"), bank.left(bank.size() / 3));
    {
        QProcess process;
        start(process);
        QTest::qWait(3000);
        EXPECT_EQ(process.state(), QProcess::Running);
        EXPECT_TRUE(readBytes(copy) == workingCopy);
        // Its failure box waits for the learner; nobody is there to close it.
        process.kill();
        process.waitForFinished(10'000);
    }
}
