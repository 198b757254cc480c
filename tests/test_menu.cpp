#include "PracticeFixture.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "bank/Sqlite.h"
#include "picture/LoadPicture.h"
#include "ui/HoverTracker.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

// A menu window over a sandboxed program folder holding every picture and a bank, with the
// practice window beside it as start-up makes them.
class MenuWindowTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        practice->setAdvanceDelay(30);
    }

    QVector<Question> bankRows() const override
    {
        QVector<Question> rows = practiceRows();
        rows.append(judgeRow(300, QStringLiteral("xxMxx")));
        rows.append(choiceRow(301, QStringLiteral("A1A3B1"), QStringLiteral("D")));
        return rows;
    }

    // Runs `inside` once the modal practice window is up, then leaves it with Esc.
    void whilePractising(ImageButton *category, std::function<void()> inside)
    {
        bool ran = false;
        QTimer::singleShot(0, practice, [&] {
            ran = practice->isVisible() && practice->isModal();
            inside();
            QTest::keyClick(practice, Qt::Key_Escape);
        });
        category->click();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(practice->isVisible());
    }
};

// Runs the application's main loop after `trigger`; true when the loop ended by itself.
bool mainLoopEndsAfter(const std::function<void()> &trigger)
{
    QObject guard;
    QTimer::singleShot(0, &guard, trigger);
    QTimer::singleShot(5000, &guard, [] { QCoreApplication::exit(99); });
    return qApp->exec() == 0;
}

QString shippedBin(const QString &name)
{
    return QStringLiteral(KEMUYI_BIN_DIR "/") + name;
}

int countRows(const QString &bank, const char *where)
{
    SqliteDb db;
    db.openReadOnly(bank);
    SqliteStatement statement(db, (QByteArray("SELECT COUNT(*) FROM TK WHERE ") + where).constData());
    statement.step();
    return statement.text(0).toInt();
}

} // namespace

TEST_F(MenuWindowTest, ControlsStandAtTheirPlaces)
{
    struct Place
    {
        const char *name;
        QRect geometry;
    };
    const Place places[] = {
        {"Image1", {0, 0, 690, 450}},           {"Image_a1a3b1", {500, 154, 153, 43}},
        {"Image_a2b2", {500, 204, 153, 42}},    {"Image_c1c2c3c4", {500, 104, 153, 42}},
        {"Image_m", {500, 304, 153, 41}},       {"Image_def", {500, 254, 153, 43}},
        {"Image_tc", {500, 354, 153, 41}},      {"Label1", {44, 64, 247, 21}},
        {"Label2", {40, 24, 258, 35}},          {"Memo1", {40, 112, 417, 273}},
        {"sizeButton", {40, 398, 160, 28}},     {"autoReadButton", {208, 398, 160, 28}},
    };
    QStringList stacking;
    for (QObject *child : menu->children()) {
        if (child->isWidgetType() && !qobject_cast<QWidget *>(child)->isWindow())
            stacking.append(child->objectName());
    }
    QStringList expected;
    for (const Place &place : places) {
        expected.append(QLatin1String(place.name));
        auto *control = menu->findChild<QWidget *>(QLatin1String(place.name));
        ASSERT_TRUE(control) << place.name;
        EXPECT_EQ(control->geometry(), place.geometry) << place.name;
    }
    EXPECT_EQ(stacking, expected);
    EXPECT_EQ(menu->Label2->text(), QStringLiteral("新  手  上  路"));
    EXPECT_EQ(menu->Label1->text(), QStringLiteral("机动车驾驶人科目一考试题库"));
    EXPECT_EQ(menu->Label2->font().pixelSize(), 35);
    EXPECT_TRUE(menu->Label2->font().bold());
    EXPECT_EQ(menu->Label1->font().pixelSize(), 19);
    EXPECT_TRUE(menu->Memo1->isReadOnly());
    EXPECT_EQ(menu->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(menu->size(), QSize(690, 450));
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(MenuWindowTest, ButtonsKeepTheirBuiltInPicturesUntilThePointerPasses)
{
    PictureBox builtIn;
    LoadBuiltInPicture(builtIn, QStringLiteral(":/builtin/def.jpg"));
    EXPECT_EQ(menu->Image_def->picture(), builtIn.picture());
    EXPECT_EQ(pictureName(menu->Image1->picture()), QStringLiteral("bground1.jpg"));

    menu->Image_def->setEnabled(false); // the menu looks at no enabled state
    menu->hoverTracker().pointerAt(menu->Image_def->geometry().center());
    EXPECT_EQ(pictureName(menu->Image_def->picture()), QStringLiteral("def_ovr.jpg"));
    menu->hoverTracker().pointerAt(menu->Image_tc->geometry().center());
    EXPECT_EQ(pictureName(menu->Image_def->picture()), QStringLiteral("def.jpg"));
    EXPECT_EQ(pictureName(menu->Image_tc->picture()), QStringLiteral("tc_ovr.jpg"));
}

TEST_F(MenuWindowTest, EachCategoryOpensThePracticeWindowWithItsCode)
{
    const std::pair<ImageButton *, QString> categories[] = {
        {menu->Image_c1c2c3c4, QStringLiteral("C1C2C3C4")}, {menu->Image_a1a3b1, QStringLiteral("A1A3B1")},
        {menu->Image_a2b2, QStringLiteral("A2B2")},         {menu->Image_def, QStringLiteral("DEF")},
        {menu->Image_m, QStringLiteral("M")},
    };
    for (const auto &[button, code] : categories) {
        QString seen;
        whilePractising(button, [&, code = code] { seen = practice->Edit1->text(); });
        EXPECT_EQ(seen, code);
    }
}

TEST_F(MenuWindowTest, MachineryPractisesEveryQuestionWithAnMInItsType)
{
    QVector<qint32> ids;
    whilePractising(menu->Image_m, [&] {
        practice->ImgSxlx->click();
        for (int i = 1; i <= practice->run().QuestionCount; ++i)
            ids.append(practice->run().AnswerSheet[i].QuestionId);
    });
    EXPECT_EQ(ids, QVector<qint32>{300});
}

TEST_F(MenuWindowTest, AnotherCategoryFindsTheWindowFreshlyPrepared)
{
    whilePractising(menu->Image_c1c2c3c4, [&] {
        practice->ImgSxlx->click();
        practice->ImgB->click();
    });
    whilePractising(menu->Image_a1a3b1, [&] {
        EXPECT_EQ(practice->run().QuestionCount, 1);
        EXPECT_FALSE(practice->run().isActive());
        EXPECT_FALSE(practice->ImgA->isEnabled());
        EXPECT_TRUE(practice->Label1->text().isEmpty());
        EXPECT_TRUE(practice->Label2->text().isEmpty());
        practice->ImgJqlx->click();
        EXPECT_EQ(practice->run().CurrentQuestionId, 301);
    });
}

TEST_F(MenuWindowTest, LeavingTheMenuEndsTheProgramWithoutAnyPractice)
{
    EXPECT_TRUE(mainLoopEndsAfter([this] { menu->Image_tc->click(); }));
    EXPECT_FALSE(menu->isVisible());
}

TEST(EndToEnd, ALearnerPractisesWithTheKeypad)
{
    Sandbox sandbox;
    FailureLog failures;
    writeAllPictures(sandbox.appDir());
    writeBank(sandbox.appDir() + QStringLiteral("examdb.lib"), practiceRows());

    StartedWindows windows = runStartup({10, {}});
    windows.form1->show();
    TForm2 *practice = windows.form2;
    QStringList statusLines;
    QTimer::singleShot(0, practice, [&] {
        QTest::mouseClick(practice->ImgSxlx, Qt::LeftButton);
        QTest::keyClick(practice, Qt::Key_8, Qt::KeypadModifier); // B: right
        statusLines << practice->Label2->text();
        QTest::keyClick(practice, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(practice, Qt::Key_5, Qt::KeypadModifier); // 错 on a true statement: wrong
        statusLines << practice->Label2->text();
        QTest::keyClick(practice, Qt::Key_Plus, Qt::KeypadModifier);
        statusLines << practice->Label2->text();
        QTest::keyClick(practice, Qt::Key_Period, Qt::KeypadModifier);
        statusLines << practice->Label2->text();
        QTest::keyClick(practice, Qt::Key_Escape);
    });
    QTest::mouseClick(windows.form1->Image_c1c2c3c4, Qt::LeftButton);
    EXPECT_EQ(statusLines, (QStringList{QStringLiteral(" 您选择的是B。恭喜！您答对了！"),
                                        QStringLiteral(" 您选择的是错误。抱歉！您答错了！"),
                                        QStringLiteral(" 您选择的是B。"),
                                        QStringLiteral(" 正确的答案应该是：B")}));
    EXPECT_FALSE(practice->isVisible());

    EXPECT_TRUE(mainLoopEndsAfter([&] { QTest::mouseClick(windows.form1->Image_tc, Qt::LeftButton); }));
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join(QLatin1Char('\n')).toStdString();
}

TEST(EndToEnd, TheRealProgramMakesItsWorkingCopyAndStopsCleanly)
{
    expectProgramCopiesBankAndStops(shippedBin(QStringLiteral("kemuyi")), shippedBin(QStringLiteral("examdb.lib")));
}

// The session ends while a start-up failure box waits for its OK (the practice window's first
// picture is missing): the program still ends, and the working copy made just before the box is
// whole and alone in its folder.
TEST(EndToEnd, TheRealProgramEndsOnSigtermWhileAFailureBoxIsOpen)
{
    Sandbox sandbox;
    const QString app = sandbox.appDir();
    const QDir bin(QStringLiteral(KEMUYI_BIN_DIR));
    for (const QString &name : bin.entryList({QStringLiteral("*.jpg")}, QDir::Files)) {
        if (name != QLatin1String("1.jpg")) {
            ASSERT_TRUE(QFile::copy(bin.filePath(name), app + name));
        }
    }
    ASSERT_TRUE(QFile::copy(shippedBin(QStringLiteral("examdb.lib")), app + QStringLiteral("examdb.lib")));
    ASSERT_TRUE(QFile::copy(shippedBin(QStringLiteral("kemuyi")), app + QStringLiteral("kemuyi")));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment); // the sandbox's TMPDIR and XDG_DATA_HOME
    QElapsedTimer clock;
    clock.start();
    process.start(app + QStringLiteral("kemuyi"), {});
    ASSERT_TRUE(process.waitForStarted());

    const QString copy = sandbox.tempDir() + QStringLiteral("e9p7k6m8.lib");
    const QByteArray bank = readBytes(app + QStringLiteral("examdb.lib"));
    while (readBytes(copy) != bank && clock.elapsed() < 30'000)
        QTest::qWait(50);
    ASSERT_TRUE(readBytes(copy) == bank);
    // Past the splash's three seconds: without the box the program would be in its main loop.
    QTest::qWait(int(qMax<qint64>(500, 4000 - clock.elapsed())));
    ASSERT_EQ(process.state(), QProcess::Running);

    process.terminate();
    const bool ended = process.waitForFinished(10'000);
    if (!ended)
        process.kill();
    ASSERT_TRUE(ended) << "the program did not end on SIGTERM";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(readBytes(copy) == bank);
    EXPECT_EQ(QDir(sandbox.tempDir()).entryList({QStringLiteral("e9p7k6m8*")}, QDir::AllEntries | QDir::Hidden),
              QStringList{QStringLiteral("e9p7k6m8.lib")});
}

TEST(Introduction, HasItsThreeSectionsAndAgreesWithTheShippedBank)
{
    const QString text = introductionText();
    const QStringList lines = text.split(QLatin1Char('\n'));
    EXPECT_GE(lines.size(), 40);
    // The three sections, and a fourth on the letter keys and what was added beside the exam keys.
    EXPECT_LE(lines.size(), 95);
    for (const QString &heading : {QStringLiteral("一、编制说明"), QStringLiteral("二、考试专用键盘说明"),
                                   QStringLiteral("三、考试流程及对应操作")}) {
        const int at = lines.indexOf(QStringLiteral("    ") + heading);
        ASSERT_GT(at, -1) << heading.toStdString();
        EXPECT_TRUE(lines.at(at - 1).isEmpty());
        EXPECT_TRUE(lines.at(at + 1).isEmpty());
    }
    // Hard-wrapped at about 24 Chinese characters (a Latin letter or digit takes half the room).
    for (const QString &line : lines) {
        int columns = 0;
        for (const QChar c : line)
            columns += c.unicode() < 128 ? 1 : 2;
        EXPECT_LE(columns, 50) << line.toStdString();
    }

    const QString bank = shippedBin(QStringLiteral("examdb.lib"));
    const int general = countRows(bank, "TYPE LIKE '%C1C2C3C4%'");
    const int bus = countRows(bank, "TYPE LIKE '%A1A3B1%' AND TYPE NOT LIKE '%C1C2C3C4%'");
    const int truck = countRows(bank, "TYPE LIKE '%A2B2%' AND TYPE NOT LIKE '%C1C2C3C4%'");
    const int machine = countRows(bank, "TYPE LIKE '%M%' AND TYPE NOT LIKE '%C1C2C3C4%'");
    const int moto = countRows(bank, "TYPE LIKE '%DEF%'");
    const int total = countRows(bank, "1");
    const QString flat = QString(text).remove(QLatin1Char('\n'));
    const auto says = [&](const QString &phrase) {
        EXPECT_TRUE(flat.contains(phrase)) << phrase.toStdString();
    };
    says(QStringLiteral("公安部令第162号"));
    says(QStringLiteral("共%1题").arg(total));
    says(QStringLiteral("汽车类%1题").arg(general + bus + truck + machine));
    says(QStringLiteral("通用题%1题").arg(general));
    says(QStringLiteral("（A1、A3、B1）%1题").arg(bus));
    says(QStringLiteral("（A2、B2）%1题").arg(truck));
    says(QStringLiteral("（M）%1题").arg(machine));
    says(QStringLiteral("摩托车类（D、E、F）%1题").arg(moto));
}
