// The program as a learner really uses it: held keys, answers and clicks during the wait, the
// menu's looks and focus, odd picture names, a missing switch picture, two users on one computer.
#include "PracticeFixture.h"

#include "app/Unit1.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "picture/JpegCodec.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

// A practice window that notes the position of every question it puts on screen, and for every
// key press the question the learner could see: the one whose text was last painted.
class RecordingForm : public TForm2
{
public:
    RecordingForm() { Label1->installEventFilter(this); }
    QVector<qint32> shown;
    // Presses that met a question other than the one last painted.
    int pressesOnUnseenQuestions = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == Label1 && event->type() == QEvent::Paint)
            m_painted = Label1->text();
        return TForm2::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_painted != Label1->text())
            ++pressesOnUnseenQuestions;
        TForm2::keyPressEvent(event);
    }

private:
    void showQuestionAtPosition() override
    {
        shown.append(run().CurrentPosition);
        ShowRecord();
    }

    QString m_painted;
};

QVector<Question> manyChoiceRows(int count)
{
    QVector<Question> rows;
    for (int id = 1; id <= count; ++id)
        rows.append(choiceRow(id, QStringLiteral("C1C2C3C4"), QStringLiteral("A")));
    return rows;
}

class HeldKeyTest : public PracticeWindowTest
{
protected:
    void startWith(int questions, int delayMs)
    {
        writeBank(workingCopyPath(), manyChoiceRows(questions));
        auto recording = std::make_unique<RecordingForm>();
        recorder = recording.get();
        form = std::move(recording);
        form->setAdvanceDelay(delayMs);
        showFor(QStringLiteral("C1C2C3C4"));
        form->ImgSxlxClick();
        form->ImgChkClick();
        ASSERT_TRUE(form->autoAdvance());
        recorder->shown.clear();
    }

    RecordingForm *recorder = nullptr;
};

} // namespace

// ---- answers during the auto-advance wait ----

namespace {

// Notes how deep in the stack each key press reaches the window, and refuses presses beyond
// `limit` bytes below the first, so that a runaway nesting ends the test instead of the process.
class KeyDepth : public QObject
{
public:
    KeyDepth(QWidget *window, std::ptrdiff_t limit) : m_limit(limit) { window->installEventFilter(this); }
    std::ptrdiff_t deepest = 0;
    int refused = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const char here = 0;
        if (!m_base)
            m_base = &here;
        deepest = std::max(deepest, m_base - &here);
        if (deepest > m_limit) {
            ++refused;
            return true;
        }
        return false;
    }

private:
    const char *m_base = nullptr;
    std::ptrdiff_t m_limit;
};

} // namespace

// Every question the run moved past was shown and answered; the positions shown are consecutive.
void expectNoQuestionSkipped(RecordingForm &form, qint32 from)
{
    QVector<qint32> consecutive;
    for (qint32 at = from + 1; at <= form.run().CurrentPosition; ++at)
        consecutive.append(at);
    EXPECT_EQ(form.shown, consecutive);
    for (qint32 at = from; at < form.run().CurrentPosition; ++at)
        EXPECT_EQ(form.run().AnswerSheet[at].Choice, ChoiceA) << "question " << at << " was passed unanswered";
}

TEST_F(HeldKeyTest, AHeldAnswerKeyKeepsTheStackFlatAndAnswersEachQuestionOnlyOnceItIsShown)
{
    startWith(400, 40);
    constexpr int kPresses = 2000;
    KeyDepth depth(form.get(), 256 * 1024);
    int posted = 0;
    // Key auto-repeat: one press after another, each arriving while the answers before it wait.
    QTimer autoRepeat;
    autoRepeat.setInterval(0);
    QObject::connect(&autoRepeat, &QTimer::timeout, [&] {
        if (++posted == kPresses)
            autoRepeat.stop();
        QCoreApplication::postEvent(form.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier));
    });
    autoRepeat.start();
    form->ImgAClick(); // right: the wait begins, and the key is held during it
    // The repeat outlasts many waits; the presses after the last wait arrive at the top level,
    // as they would from the main loop, and each of them may start a wait of its own.
    while (posted < kPresses)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(form.get(), QEvent::KeyPress);

    EXPECT_EQ(depth.refused, 0);
    EXPECT_LT(depth.deepest, 16 * 1024);
    // Far fewer steps than presses: one a wait, never one a press.
    EXPECT_GE(position(), 2);
    EXPECT_LT(position(), kPresses / 4);
    expectNoQuestionSkipped(*recorder, 1);
    EXPECT_EQ(recorder->pressesOnUnseenQuestions, 0);
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(HeldKeyTest, AnAnswerOnTheQuestionSteppedToDuringTheWaitOwesTheOnlyStep)
{
    // Timed against a long wait so that a loaded machine cannot reorder the timers.
    startWith(10, 1000);
    qint32 positionAfterTheFirstSecond = 0;
    QTimer::singleShot(100, form.get(), [this] { form->ImgNextClick(); });          // shows 2
    QTimer::singleShot(500, form.get(), [this] { QTest::keyClick(form.get(), Qt::Key_8, Qt::KeypadModifier); });
    QTimer::singleShot(1250, form.get(), [&] { positionAfterTheFirstSecond = position(); });
    form->ImgAClick();

    // The first answer's step is dropped: its question is no longer shown. The second answer's
    // step comes a second after it.
    EXPECT_EQ(positionAfterTheFirstSecond, 2);
    EXPECT_EQ(recorder->shown, (QVector<qint32>{2, 3}));
    EXPECT_EQ(choiceAt(2), ChoiceB);
}

TEST_F(HeldKeyTest, AnAnswerOwesNoStepWhenTheSwitchIsOffOrNextIsDisabled)
{
    startWith(2, 40);
    QTimer::singleShot(5, form.get(), [this] {
        form->ImgChkClick(); // off: the answer below owes nothing, the pending step stays
        form->ImgAClick();
    });
    form->ImgAClick();
    EXPECT_EQ(recorder->shown, (QVector<qint32>{2}));
    form->ImgChkClick();
    form->ImgAClick(); // the last question: Next is disabled
    EXPECT_EQ(recorder->shown, (QVector<qint32>{2}));
}

// ---- the practice window's smaller corners ----

TEST_F(PracticeWindowTest, TheHintKeyDoesNothingInACategoryWithoutQuestions)
{
    showFor(QStringLiteral("M"));
    QTest::keyClick(form.get(), Qt::Key_Period, Qt::KeypadModifier);
    form->ImgSxlxClick();
    ASSERT_EQ(status(), QStringLiteral(" 本类别题库中没有题目。"));
    QTest::keyClick(form.get(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(status(), QStringLiteral(" 本类别题库中没有题目。"));
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(PracticeWindowTest, ASwitchPictureThatFailsLeavesTheSwitchWholeAsItWas)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("checked.jpg"));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgChk->click();
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().first().contains(QStringLiteral("checked.jpg")));
    EXPECT_FALSE(form->autoAdvance());
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("uncheck.jpg"));
    EXPECT_TRUE(form->ImgPrev->isVisibleTo(form.get()));
    EXPECT_TRUE(form->ImgNext->isVisibleTo(form.get()));
    form->ImgBClick();
    EXPECT_EQ(position(), 1); // and the run does not move by itself
}

TEST_F(PracticeWindowTest, PictureNamesAreRefusedOnlyWhenTheyCouldLeaveThePictureFolder)
{
    const QStringList allowed = {QStringLiteral("a:b"), QStringLiteral("tab\tname"),
                                 QStringLiteral("...x")};
    const QStringList refused = {QStringLiteral("sub/x"), QStringLiteral("sub\\x"), QStringLiteral("..")};
    QVector<Question> rows;
    for (const QString &name : allowed + refused) {
        Question row = choiceRow(rows.size() + 1, QStringLiteral("C1C2C3C4"));
        row.pic = name;
        rows.append(row);
    }
    writeBank(workingCopyPath(), rows);
    QDir(sandbox.appDir()).mkpath(QStringLiteral("pic"));
    for (const QString &name : allowed)
        writeJpeg(sandbox.appDir() + QStringLiteral("pic/") + name + QStringLiteral(".jpg"),
                  solidImage(20, 10, qRgb(1, 2, 3)));

    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    for (int i = 1; i < allowed.size(); ++i)
        form->ImgNext->click();
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(form->Image2->picture().size(), QSize(20, 10));

    for (int i = 0; i < refused.size(); ++i)
        form->ImgNext->click();
    ASSERT_EQ(failures.messages().size(), refused.size());
    EXPECT_TRUE(failures.messages().at(0).contains(QStringLiteral("路径分隔符")));
    EXPECT_TRUE(failures.messages().at(1).contains(QStringLiteral("路径分隔符")));
    EXPECT_TRUE(failures.messages().at(2).contains(QStringLiteral("上级目录")));
}

// ---- the menu ----

namespace {

class MenuInUseTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        practice->setAdvanceDelay(200);
    }
};

// Notes every showing of a window with what it was asked to practise and where the run stood.
class ShowingLog : public QObject
{
public:
    explicit ShowingLog(TForm2 *form) : m_form(form) { form->installEventFilter(this); }
    QStringList codes;
    QVector<qint32> positionsBefore;
    std::function<void(int)> onShow;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            codes.append(m_form->Edit1->text());
            positionsBefore.append(m_form->run().CurrentPosition);
            if (onShow)
                onShow(codes.size());
        }
        return false;
    }

private:
    TForm2 *m_form;
};

} // namespace

TEST_F(MenuInUseTest, ACategoryClickedDuringTheWaitOpensOnceTheEarlierShowingHasUnwound)
{
    ShowingLog log(practice);
    log.onShow = [&](int showing) {
        QTimer::singleShot(0, practice, [&, showing] {
            if (showing == 2) {
                QTest::keyClick(practice, Qt::Key_Escape);
                return;
            }
            practice->ImgSxlxClick();
            practice->ImgChkClick();
            QTimer::singleShot(20, practice, [&] {
                QTest::keyClick(practice, Qt::Key_Escape); // leave during the wait
                menu->Image_a2b2->click();                 // and choose trucks at once
            });
            practice->ImgBClick();
        });
    };
    menu->Image_c1c2c3c4->click();

    EXPECT_EQ(log.codes, (QStringList{QStringLiteral("C1C2C3C4"), QStringLiteral("A2B2")}));
    // The pending step ran on the hidden window before the second showing began.
    EXPECT_EQ(log.positionsBefore.value(1), 2);
    EXPECT_FALSE(practice->isVisible());
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(MenuInUseTest, LeavingTheMenuDuringTheWaitOpensNothingMore)
{
    ShowingLog log(practice);
    log.onShow = [&](int) {
        QTimer::singleShot(0, practice, [&] {
            practice->ImgSxlxClick();
            practice->ImgChkClick();
            QTimer::singleShot(20, practice, [&] {
                QTest::keyClick(practice, Qt::Key_Escape);
                menu->Image_a2b2->click();
                menu->Image_tc->click();
            });
            practice->ImgBClick();
        });
    };
    menu->Image_c1c2c3c4->click();
    EXPECT_EQ(log.codes.size(), 1);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuInUseTest, TheTitlesAreWhiteOnTheBanner)
{
    const QImage shot = menu->grab().toImage();
    for (QLabel *label : {menu->Label1, menu->Label2}) {
        int white = 0;
        int dark = 0;
        const QRect place = label->geometry();
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x) {
                const QColor colour = shot.pixelColor(x, y);
                white += colour.lightness() > 230;
                dark += colour.lightness() < 40;
            }
        }
        EXPECT_GT(white, 40) << label->objectName().toStdString();
        EXPECT_EQ(dark, 0) << label->objectName().toStdString();
    }
}

TEST_F(MenuInUseTest, TheIntroductionTakesTheKeyboardByClickButNotByTab)
{
    QApplication::setActiveWindow(menu.get());
    QTest::mouseClick(menu->Memo1->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(menu->focusWidget(), menu->Memo1);

    menu->Memo1->clearFocus();
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(menu.get(), Qt::Key_Tab);
        EXPECT_NE(menu->focusWidget(), menu->Memo1);
    }
}

TEST_F(MenuInUseTest, WindowsAreCentredOnTheWholeScreenRoundingDown)
{
    // The offscreen screen is 800 × 800: the window stands at (800 − 690) / 2, (800 − 450) / 2.
    const QRect screen = menu->screen()->geometry();
    if (screen.size() != QSize(800, 800))
        GTEST_SKIP() << "the screen is " << screen.width() << "x" << screen.height();
    EXPECT_EQ(menu->pos(), QPoint(55, 175));
    practice->show();
    EXPECT_EQ(practice->pos(), QPoint(55, 175));
    practice->hide();
}

// ---- pictures ----

TEST(JpegEncoder, ReportsLibjpegErrorsInsteadOfEndingTheProcess)
{
    const QImage tooWide(70000, 1, QImage::Format_RGB32);
    ASSERT_FALSE(tooWide.isNull());
    EXPECT_FALSE(failureOf([&] { encodeJpeg(tooWide); }).isEmpty());
    EXPECT_FALSE(encodeJpeg(solidImage(8, 8, qRgb(9, 9, 9))).isEmpty());
}

// ---- two users on one computer ----

#ifdef Q_OS_UNIX
namespace {

// Runs `body` in a child process as the given user (and group), with TMPDIR and XDG_RUNTIME_DIR
// unset; returns its exit status, or -1 if it did not exit normally.
int runAsUser(uid_t uid, const std::function<int()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::unsetenv("TMPDIR");
        ::unsetenv("XDG_RUNTIME_DIR");
        if (::setresgid(uid, uid, uid) != 0 || ::setresuid(uid, uid, uid) != 0)
            ::_exit(90);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(WorkingCopy, EachUserOfTheComputerGetsAPrivateOne)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "switching users needs root";
    Sandbox sandbox;
    FailureLog failures;
    // The program's folder must be readable by both users.
    const QString shared = QStringLiteral("/tmp/kemuyi-test-app-%1/").arg(::getpid());
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 0755);
    writeBank(shared + QStringLiteral("examdb.lib"), practiceRows());
    ::chmod(QFile::encodeName(shared + QStringLiteral("examdb.lib")).constData(), 0644);
    setAppDirOverride(shared);

    const uid_t users[] = {64101, 64102};
    const auto privateFolder = [](uid_t uid) { return QStringLiteral("/tmp/kemuyi-%1").arg(uid); };
    for (uid_t uid : users)
        QDir(privateFolder(uid)).removeRecursively();

    // Each user starts the program: the copy is made and can be opened.
    const auto practise = [] {
        try {
            CopyBank();
            BankStore bank;
            bank.OpenBank();
            return bank.QueryCategoryCount(QStringLiteral("C1C2C3C4")) == 4 ? 0 : 2;
        } catch (const Failure &) {
            return 1;
        }
    };
    for (uid_t uid : users)
        EXPECT_EQ(runAsUser(uid, practise), 0) << uid;
    for (uid_t uid : users) {
        struct stat info = {};
        EXPECT_EQ(::lstat(QFile::encodeName(privateFolder(uid)).constData(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_uid, uid);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(QFile::exists(privateFolder(uid) + QStringLiteral("/e9p7k6m8.lib")));
    }

    // A folder of that name planted by someone else is refused, not used.
    const uid_t victim = 64103;
    QDir(privateFolder(victim)).removeRecursively();
    QDir().mkpath(privateFolder(victim));
    const QByteArray planted = QFile::encodeName(privateFolder(victim));
    EXPECT_EQ(::chown(planted.constData(), users[0], users[0]), 0);
    EXPECT_EQ(runAsUser(victim, practise), 1);
    ::rmdir(planted.constData());
    EXPECT_EQ(::symlink(QFile::encodeName(shared).constData(), planted.constData()), 0);
    EXPECT_EQ(runAsUser(victim, practise), 1);
    ::unlink(planted.constData()); // the link itself, never what it points to

    for (uid_t uid : users)
        QDir(privateFolder(uid)).removeRecursively();
    QDir(privateFolder(victim)).removeRecursively();
    QDir(shared).removeRecursively();
}

namespace {

// Sets an environment variable for as long as it lives; an empty value unsets it.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had;
};

mode_t modeOf(const QString &path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode;
}

} // namespace

// The same checks in this process, under the session's runtime folder: the private folder is
// made only for this user, closed again when opened up by hand, and neither a link planted at
// its name nor a folder of someone else's is used.
TEST(WorkingCopy, ThePrivateFolderIsMadeClosedAndNeverFollowed)
{
    Sandbox sandbox;
    const QString runtime = sandbox.path(QStringLiteral("runtime"));
    ASSERT_TRUE(QDir().mkpath(runtime));
    const ScopedEnv noTmpdir("TMPDIR", {});
    const ScopedEnv session("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const QString folder = runtime + QStringLiteral("/kemuyi");
    const QByteArray native = QFile::encodeName(folder);

    EXPECT_EQ(GetTempDirectory(), folder + QLatin1Char('/'));
    EXPECT_TRUE(S_ISDIR(modeOf(folder)));
    EXPECT_EQ(modeOf(folder) & 0777, 0700u);
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("bank"));
    CopyBank();
    EXPECT_EQ(readBytes(folder + QStringLiteral("/e9p7k6m8.lib")), QByteArray("bank"));

    ASSERT_EQ(::chmod(native.constData(), 0755), 0);
    EXPECT_EQ(GetTempDirectory(), folder + QLatin1Char('/'));
    EXPECT_EQ(modeOf(folder) & 0777, 0700u) << "opened up by hand, closed again";

    // A link to a folder of ours is still a link: refused, and its target left as it was.
    const QString elsewhere = sandbox.path(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere).constData(), 0755), 0);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_EQ(::symlink(QFile::encodeName(elsewhere).constData(), native.constData()), 0);
    const QString link = failureOf([] { GetTempDirectory(); });
    EXPECT_TRUE(link.contains(folder)) << link.toStdString();
    EXPECT_TRUE(link.contains(QStringLiteral("链接"))) << link.toStdString();
    EXPECT_EQ(modeOf(elsewhere) & 0777, 0755u);
    ASSERT_EQ(::unlink(native.constData()), 0);

    if (::geteuid() != 0)
        return; // giving a folder to someone else needs root
    ASSERT_EQ(::mkdir(native.constData(), 0700), 0);
    ASSERT_EQ(::chown(native.constData(), 64104, 64104), 0);
    const QString foreign = failureOf([] { GetTempDirectory(); });
    EXPECT_TRUE(foreign.contains(QStringLiteral("不属于当前用户"))) << foreign.toStdString();
}
#endif
