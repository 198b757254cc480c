#include "PracticeFixture.h"

#include "common/AppPaths.h"
#include "picture/LoadPicture.h"
#include "ui/EventWait.h"
#include "ui/HoverTracker.h"

#include <QKeyEvent>
#include <QTest>
#include <QTimer>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

void pressKey(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier)
{
    QTest::keyClick(window, key, modifiers);
}

QPoint centreOf(const QWidget *control)
{
    return control->geometry().center();
}

} // namespace

TEST_F(PracticeWindowTest, ControlsStandAtTheirPlacesInStackingOrder)
{
    struct Place
    {
        const char *name;
        QRect geometry;
    };
    const Place places[] = {
        {"Image5", {0, 0, 690, 450}},     {"ImgDui", {144, 48, 60, 40}},  {"ImgCuo", {207, 48, 60, 40}},
        {"ImgPrev", {432, 48, 90, 40}},   {"ImgSxlx", {16, 303, 110, 40}}, {"ImgJqlx", {16, 349, 110, 40}},
        {"ImgExit", {16, 395, 110, 40}},  {"Label1", {144, 96, 529, 297}}, {"Label2", {144, 412, 529, 29}},
        {"Image1", {19, 96, 107, 107}},   {"ImgA", {144, 48, 60, 40}},    {"ImgB", {207, 48, 60, 40}},
        {"ImgC", {270, 48, 60, 40}},      {"ImgHelp", {625, 48, 50, 40}}, {"ImgNext", {527, 48, 90, 40}},
        {"Image2", {240, 264, 329, 129}}, {"ImgChk", {16, 224, 110, 40}}, {"ImgD", {334, 48, 59, 41}},
    };
    QStringList stacking;
    for (QObject *child : form->children()) {
        if (child->isWidgetType() && !static_cast<QWidget *>(child)->isHidden())
            stacking.append(child->objectName());
    }
    QStringList expected;
    for (const Place &place : places) {
        expected.append(QLatin1String(place.name));
        auto *control = form->findChild<QWidget *>(QLatin1String(place.name));
        ASSERT_TRUE(control) << place.name;
        EXPECT_EQ(control->geometry(), place.geometry) << place.name;
        if (auto *button = qobject_cast<ImageButton *>(control)) {
            EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor) << place.name;
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << place.name;
        }
    }
    EXPECT_EQ(stacking, expected);
    EXPECT_EQ(form->size(), QSize(690, 450));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form->Edit1->isHidden());
    EXPECT_TRUE(form->CheckBox1->isHidden());
    EXPECT_FALSE(form->autoAdvance());
}

TEST_F(PracticeWindowTest, BeforeAnyModeAllAnswerButtonsShowAndAreDisabled)
{
    showFor(QStringLiteral("C1C2C3C4"));
    for (ImageButton *b : {form->ImgA, form->ImgB, form->ImgC, form->ImgD, form->ImgDui, form->ImgCuo}) {
        EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_EQ(form->childAt(centreOf(form->ImgDui)), form->ImgA);
    EXPECT_EQ(form->childAt(centreOf(form->ImgCuo)), form->ImgB);
    EXPECT_TRUE(failures.messages().isEmpty());
}

// What the learner sees of a disabled button is its picture, as on the exam terminal, not the
// background through a hole.
TEST_F(PracticeWindowTest, DisabledButtonsPaintTheirOwnPictures)
{
    showFor(QStringLiteral("C1C2C3C4"));
    const QImage shot = form->grab().toImage();
    for (ImageButton *b : {form->ImgA, form->ImgB, form->ImgC, form->ImgD, form->ImgPrev, form->ImgNext}) {
        ASSERT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_EQ(pictureName(shot.copy(b->geometry())), b->normalFile()) << b->objectName().toStdString();
    }
}

// A showing starts clean: the verdict picture and the status line of the last showing's answer
// are gone, on screen as in the controls.
TEST_F(PracticeWindowTest, AShowingKeepsNothingOfThePreviousShowingsVerdict)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    QTest::mouseClick(form->ImgA, Qt::LeftButton); // question 101 is answered by B
    ASSERT_EQ(feedback(), QStringLiteral("no.jpg"));
    form->close();

    showFor(QStringLiteral("C1C2C3C4"));
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_TRUE(status().isEmpty());
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(pictureName(shot.copy(form->Image1->geometry())), QStringLiteral("bground2.jpg"));
}

TEST_F(PracticeWindowTest, AMissingPictureStopsTheLoadingAndLeavesBuiltInPictures)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("5.jpg"));
    failures.clear();
    TForm2 window;
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().first().contains(sandbox.appDir() + QStringLiteral("5.jpg")));
    EXPECT_EQ(pictureName(window.ImgCuo->picture()), QStringLiteral("cuo.jpg"));
    // Loading stopped at Previous: the later controls show the artwork compiled into the program.
    for (ImageButton *b : {window.ImgPrev, window.ImgNext, window.ImgHelp, window.ImgChk, window.ImgExit}) {
        PictureBox builtIn;
        LoadBuiltInPicture(builtIn, QStringLiteral(":/builtin/") + b->normalFile());
        EXPECT_EQ(b->picture(), builtIn.picture()) << b->objectName().toStdString();
    }
    EXPECT_FALSE(window.autoAdvance());
}

// ---- hover ----

TEST(HoverTracker, LeavesTheOldControlBeforeEnteringTheNew)
{
    QWidget window;
    window.resize(200, 100);
    auto *left = new QWidget(&window);
    left->setGeometry(0, 0, 50, 50);
    auto *right = new QWidget(&window);
    right->setGeometry(50, 0, 50, 50);
    auto *hidden = new QWidget(&window);
    hidden->setGeometry(100, 0, 50, 50);
    window.show();
    hidden->hide();
    right->setEnabled(false);

    QStringList log;
    HoverTracker tracker(
        &window, [&](QWidget *w) { log << QStringLiteral("enter ") + (w == left ? "left" : w == right ? "right" : "?"); },
        [&](QWidget *w) { log << QStringLiteral("leave ") + (w == left ? "left" : w == right ? "right" : "?"); });

    tracker.pointerAt({10, 10});
    tracker.pointerAt({20, 10}); // the same control: nothing
    tracker.pointerAt({60, 10}); // straight onto the disabled neighbour
    tracker.pointerAt({110, 10}); // over a hidden control: the window itself
    EXPECT_EQ(log, (QStringList{"enter left", "leave left", "enter right", "leave right"}));

    log.clear();
    {
        HoverPause pause;
        tracker.pointerAt({10, 10});
        tracker.pointerAt({60, 10});
        EXPECT_TRUE(log.isEmpty());
    }
    EXPECT_EQ(log, QStringList{"enter right"}); // caught up with where the pointer ended
}

TEST_F(PracticeWindowTest, HoverSwapsFollowTheTable)
{
    showFor(QStringLiteral("C1C2C3C4"));
    auto &hover = form->hoverTracker();

    hover.pointerAt(centreOf(form->ImgA)); // disabled: unchanged
    EXPECT_EQ(pictureName(form->ImgA->picture()), QStringLiteral("1.jpg"));
    form->ImgSxlxClick();
    hover.pointerAt(centreOf(form->ImgB)); // leaves A (normal), enters enabled B
    EXPECT_EQ(pictureName(form->ImgA->picture()), QStringLiteral("1.jpg"));
    EXPECT_EQ(pictureName(form->ImgB->picture()), QStringLiteral("2_ovr.jpg"));
    hover.pointerAt(centreOf(form->ImgSxlx));
    EXPECT_EQ(pictureName(form->ImgB->picture()), QStringLiteral("2.jpg"));
    EXPECT_EQ(pictureName(form->ImgSxlx->picture()), QStringLiteral("sxlx_ovr.jpg"));

    // The leave button and the switch change even when nothing else would.
    form->ImgExit->setEnabled(false);
    hover.pointerAt(centreOf(form->ImgExit));
    EXPECT_EQ(pictureName(form->ImgExit->picture()), QStringLiteral("exit_ovr.jpg"));
    hover.pointerAt(centreOf(form->ImgChk));
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("chk_ovr.jpg"));
    form->ImgChkClick();
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("checked.jpg"));
    hover.pointerAt(centreOf(form->Label1));
    hover.pointerAt(centreOf(form->ImgChk));
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("unchk_ovr.jpg"));
    hover.pointerLeft(); // "Checked.jpg" finds checked.jpg
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("checked.jpg"));
    EXPECT_TRUE(failures.messages().isEmpty());
}

TEST_F(PracticeWindowTest, AHoverPictureOfAnotherSizeResizesTheButton)
{
    writeJpeg(sandbox.appDir() + QStringLiteral("1_ovr.jpg"), solidImage(70, 45, qRgb(200, 200, 0)));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->hoverTracker().pointerAt(centreOf(form->ImgA));
    EXPECT_EQ(form->ImgA->geometry(), QRect(144, 48, 70, 45));
    form->hoverTracker().pointerLeft();
    EXPECT_EQ(form->ImgA->geometry(), QRect(144, 48, 60, 40));
}

TEST_F(PracticeWindowTest, AFailingHoverPictureIsReportedOnceAndKeepsThePicture)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("sxlx_ovr.jpg"));
    showFor(QStringLiteral("C1C2C3C4"));
    for (int i = 0; i < 3; ++i) {
        form->hoverTracker().pointerAt(centreOf(form->ImgSxlx));
        form->hoverTracker().pointerAt(centreOf(form->Label1));
    }
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().first().contains(QStringLiteral("sxlx_ovr.jpg")));
    EXPECT_EQ(pictureName(form->ImgSxlx->picture()), QStringLiteral("sxlx.jpg"));
}

TEST_F(PracticeWindowTest, NoHoverSwapsDuringTheWait)
{
    showFor(QStringLiteral("C1C2C3C4"));
    QTimer::singleShot(5, form.get(), [this] {
        form->hoverTracker().pointerAt(centreOf(form->ImgExit));
        EXPECT_EQ(pictureName(form->ImgExit->picture()), QStringLiteral("exit.jpg"));
    });
    form->Delay(40);
    EXPECT_EQ(pictureName(form->ImgExit->picture()), QStringLiteral("exit_ovr.jpg"));
}

// ---- switch and leaving ----

TEST_F(PracticeWindowTest, LeavingResetsTheSwitchButOtherClosingKeepsIt)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgChkClick();
    EXPECT_FALSE(form->ImgPrev->isVisibleTo(form.get()));
    EXPECT_FALSE(form->ImgNext->isVisibleTo(form.get()));

    form->close(); // not through the leave button
    showFor(QStringLiteral("C1C2C3C4"));
    EXPECT_TRUE(form->autoAdvance());
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("checked.jpg"));
    EXPECT_FALSE(form->ImgPrev->isVisibleTo(form.get()));

    pressKey(form.get(), Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(form->isVisible());
    showFor(QStringLiteral("C1C2C3C4"));
    EXPECT_FALSE(form->autoAdvance());
    EXPECT_EQ(pictureName(form->ImgChk->picture()), QStringLiteral("uncheck.jpg"));
    EXPECT_TRUE(form->ImgPrev->isVisible());
    EXPECT_TRUE(form->ImgNext->isVisible());
}

TEST_F(PracticeWindowTest, LeavingWorksEvenWithoutTheSwitchPicture)
{
    QFile::remove(sandbox.appDir() + QStringLiteral("uncheck.jpg"));
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgExitClick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(failures.messages().size(), 1);
}

// ---- keys ----

TEST_F(PracticeWindowTest, TheKeypadWorksAsTheExamKeyboard)
{
    showFor(QStringLiteral("C1C2C3C4"));
    pressKey(form.get(), Qt::Key_Enter); // before a mode: nothing
    EXPECT_EQ(form->run().CurrentPosition, 0);
    pressKey(form.get(), Qt::Key_Period); // the last row of the count query
    EXPECT_EQ(status(), QStringLiteral(" 正确的答案应该是：错误"));

    form->ImgSxlxClick();
    pressKey(form.get(), Qt::Key_8);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是B。恭喜！您答对了！"));
    pressKey(form.get(), Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(position(), 2);
    pressKey(form.get(), Qt::Key_7); // A on a true/false question: recorded silently
    EXPECT_EQ(choiceAt(2), ChoiceA);
    EXPECT_EQ(status(), QString());
    pressKey(form.get(), Qt::Key_5);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是错误。抱歉！您答错了！"));
    pressKey(form.get(), Qt::Key_4);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是正确。恭喜！您答对了！"));
    pressKey(form.get(), Qt::Key_Plus);
    EXPECT_EQ(position(), 1);
    pressKey(form.get(), Qt::Key_9);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是C。抱歉！您答错了！"));
    pressKey(form.get(), Qt::Key_6);
    EXPECT_EQ(status(), QStringLiteral(" 您选择的是D。抱歉！您答错了！"));
    pressKey(form.get(), Qt::Key_Home); // Num Lock off: navigation keys do nothing
    pressKey(form.get(), Qt::Key_Up);
    pressKey(form.get(), Qt::Key_7, Qt::NoModifier); // the main keyboard's digits are no exam keys
    EXPECT_EQ(choiceAt(1), ChoiceD);
    pressKey(form.get(), Qt::Key_8, Qt::KeypadModifier | Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(choiceAt(1), ChoiceB); // Shift, Ctrl and Alt are not looked at
}

// Enter and keypad + look at whether Next and Previous are enabled, even when a question whose
// picture is missing left them as they were for the question before.
TEST_F(PracticeWindowTest, EnterAndPlusFollowTheButtonsEvenWhenTheyLagBehind)
{
    QVector<Question> rows = practiceRows();
    rows[1].pic = QStringLiteral("missing");
    rows[2].pic = QStringLiteral("missing");
    writeBank(workingCopyPath(), rows);
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgNext->click(); // to 2, whose picture fails: Previous stays disabled
    ASSERT_EQ(position(), 2);
    pressKey(form.get(), Qt::Key_Plus);
    EXPECT_EQ(position(), 2);
    form->ImgNext->click(); // to 3, failing too
    form->ImgNext->click(); // to 4, the last: Next disabled
    form->ImgPrev->click(); // back to 3, failing: Next stays disabled
    ASSERT_EQ(position(), 3);
    pressKey(form.get(), Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(failures.messages().size(), 3);
}

TEST_F(PracticeWindowTest, EnterAndPlusWorkWhileTheSwitchHidesPreviousAndNext)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgChkClick();
    pressKey(form.get(), Qt::Key_Enter);
    EXPECT_EQ(position(), 2);
    pressKey(form.get(), Qt::Key_Plus);
    EXPECT_EQ(position(), 1);
}

TEST_F(PracticeWindowTest, ClicksReachEnabledButtonsOnly)
{
    showFor(QStringLiteral("C1C2C3C4"));
    QTest::mouseClick(form->ImgSxlx, Qt::LeftButton);
    ASSERT_EQ(position(), 1);
    QTest::mouseClick(form->ImgPrev, Qt::LeftButton); // disabled at the first question
    EXPECT_EQ(position(), 1);
    QTest::mouseClick(form->ImgNext, Qt::LeftButton);
    EXPECT_EQ(position(), 2);
    QTest::mouseClick(form->ImgCuo, Qt::LeftButton);
    EXPECT_EQ(choiceAt(2), ChoiceFalse);
}

// A press that slides off the button before the release is taken back, as with any button: no
// step, no answer. The same press released on the button acts.
TEST_F(PracticeWindowTest, APressThatSlidesOffBeforeReleaseDoesNothing)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    ASSERT_EQ(position(), 1);
    const auto slideOff = [](ImageButton *button) {
        const QPoint inside = button->rect().center();
        const QPoint outside(button->width() + 30, inside.y());
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, inside);
        QTest::mouseMove(button, outside);
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, outside);
    };
    slideOff(form->ImgNext);
    EXPECT_EQ(position(), 1);
    slideOff(form->ImgB);
    EXPECT_EQ(choiceAt(1), ChoiceNone);
    EXPECT_EQ(feedback(), QStringLiteral("thinking.jpg"));

    QTest::mousePress(form->ImgNext, Qt::LeftButton, Qt::NoModifier, form->ImgNext->rect().center());
    QTest::mouseRelease(form->ImgNext, Qt::LeftButton, Qt::NoModifier, form->ImgNext->rect().center());
    EXPECT_EQ(position(), 2);
}

TEST_F(PracticeWindowTest, TheShippedButtonsCoverTheAnswerRow)
{
    setAppDirOverride(QString()); // the real pictures beside the test program
    TForm2 window;
    setAppDirOverride(sandbox.appDir());
    window.Edit1->setText(QStringLiteral("C1C2C3C4"));
    window.show();
    window.ImgSxlxClick();
    const QImage shot = window.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(690, 450));
    // The answer row shows the buttons, not the bare background beneath them.
    const QImage background = window.Image5->picture();
    int covered = 0;
    int total = 0;
    for (int y = 50; y < 86; y += 4) {
        for (int x = 146; x < 392; x += 4, ++total)
            covered += shot.pixel(x, y) != background.pixel(x, y) ? 1 : 0;
    }
    EXPECT_GT(covered, total / 2);
}

// ---- the learner's choice, marked ----

TEST_F(PracticeWindowTest, TheRecordedChoiceIsFramedApartFromTheHoverPicture)
{
    showFor(QStringLiteral("C1C2C3C4"));
    const auto answers = {form->ImgA, form->ImgB, form->ImgC, form->ImgD, form->ImgDui, form->ImgCuo};
    EXPECT_TRUE(framedButtons(*form, answers).isEmpty());
    form->ImgSxlxClick();
    // The pointer rests on C while the learner answers B by key.
    form->CMMouseEnter(form->ImgC);
    pressKey(form.get(), Qt::Key_8);
    EXPECT_EQ(framedButtons(*form, answers), QStringList{QStringLiteral("ImgB")});
    EXPECT_EQ(pictureName(form->ImgC->picture()), QStringLiteral("3_ovr.jpg"));
    EXPECT_EQ(pictureName(form->ImgB->picture()), QStringLiteral("2.jpg"));
    // Inside the frame the button keeps its own picture, not the hover one.
    const QImage shot = form->grab().toImage();
    const QPoint middle = form->ImgB->geometry().center() * shot.devicePixelRatio();
    EXPECT_TRUE(nearColour(shot.pixel(middle), form->ImgB->picture().pixel(30, 20)));

    pressKey(form.get(), Qt::Key_7); // a new choice moves the frame
    EXPECT_EQ(framedButtons(*form, answers), QStringList{QStringLiteral("ImgA")});
    form->ImgNextClick(); // the true/false question, not answered yet
    EXPECT_TRUE(framedButtons(*form, answers).isEmpty());
    form->ImgCuoClick();
    EXPECT_EQ(framedButtons(*form, answers), QStringList{QStringLiteral("ImgCuo")});
    form->ImgPrevClick(); // coming back shows the choice recorded there
    EXPECT_EQ(framedButtons(*form, answers), QStringList{QStringLiteral("ImgA")});
    form->ImgSxlxClick(); // a new run starts without choices
    EXPECT_TRUE(framedButtons(*form, answers).isEmpty());
}
