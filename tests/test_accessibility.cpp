#include "PracticeFixture.h"

#include "app/ExamWindow.h"
#include "app/StudyWindow.h"
#include "ui/ImageButton.h"
#include "app/Unit1.h"
#include "ui/Accessibility.h"
#include "ui/ExplanationPanel.h"

#include <QAccessible>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

QString accessibleText(QWidget *control, QAccessible::Text kind)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(kind) : QString();
}

// Records the name-changed events assistive technology would be sent, with the text each
// announces, for as long as it lives.
class AnnouncementLog
{
public:
    AnnouncementLog()
    {
        announced().clear();
        m_previous = setAccessibilityUpdate(&AnnouncementLog::onUpdate);
    }
    ~AnnouncementLog() { setAccessibilityUpdate(m_previous); }

    // The texts `control` announced, in order.
    QStringList of(QObject *control) const
    {
        QStringList texts;
        for (const auto &[object, text] : announced()) {
            if (object == control)
                texts.append(text);
        }
        return texts;
    }

private:
    static QVector<std::pair<QObject *, QString>> &announced()
    {
        static QVector<std::pair<QObject *, QString>> events;
        return events;
    }

    static void onUpdate(QAccessibleEvent *event)
    {
        if (event->type() != QAccessible::NameChanged)
            return;
        auto *label = qobject_cast<QLabel *>(event->object());
        announced().append({event->object(), label ? label->text() : QString()});
    }

    AccessibilityUpdate m_previous = nullptr;
};

} // namespace

TEST_F(PracticeWindowTest, EveryPracticeControlHasAChineseName)
{
    const std::pair<QWidget *, const char *> names[] = {
        {form->ImgA, "答案A"},   {form->ImgB, "答案B"},        {form->ImgC, "答案C"},
        {form->ImgD, "答案D"},   {form->ImgDui, "正确"},        {form->ImgCuo, "错误"},
        {form->ImgPrev, "上一题"}, {form->ImgNext, "下一题"},     {form->ImgHelp, "显示正确答案"},
        {form->ImgSxlx, "顺序练习"}, {form->ImgJqlx, "加强练习"}, {form->ImgChk, "自动转下题"},
        {form->ImgExit, "退出"},
    };
    for (const auto &[control, name] : names) {
        EXPECT_EQ(accessibleText(control, QAccessible::Name), QString::fromUtf8(name));
        EXPECT_FALSE(accessibleText(control, QAccessible::Description).isEmpty()) << name;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->role(), QAccessible::Button) << name;
    }
}

TEST_F(PracticeWindowTest, QuestionAndStatusAreReadText)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    form->ImgBClick();
    EXPECT_TRUE(accessibleText(form->Label1, QAccessible::Name).contains(QStringLiteral("题目101")));
    EXPECT_EQ(accessibleText(form->Label2, QAccessible::Name), QStringLiteral(" 您选择的是B。恭喜！您答对了！"));
    EXPECT_TRUE(accessibleText(form->Label2, QAccessible::Description).startsWith(QStringLiteral("状态栏")));
}

TEST_F(PracticeWindowTest, EveryNewStatusLineIsAnnounced)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    AnnouncementLog log;
    form->ImgBClick();
    form->ImgHelpClick();
    form->ImgNextClick();
    form->ImgPrevClick();
    EXPECT_EQ(log.of(form->Label2), (QStringList{QStringLiteral(" 您选择的是B。恭喜！您答对了！"),
                                                QStringLiteral(" 正确的答案应该是：B"),
                                                QString(),
                                                QStringLiteral(" 您选择的是B。")}));
}

TEST(MenuAccessibility, EveryCategoryIsNamed)
{
    Sandbox sandbox;
    FailureLog failures;
    writeAllPictures(sandbox.appDir());
    TForm1 menu;
    const std::pair<QWidget *, const char *> names[] = {
        {menu.Image_c1c2c3c4, "小型汽车"}, {menu.Image_a1a3b1, "客车"}, {menu.Image_a2b2, "货车"},
        {menu.Image_def, "摩托车"},        {menu.Image_m, "轮式专用机械车"}, {menu.Image_tc, "退出"},
    };
    for (const auto &[control, name] : names)
        EXPECT_EQ(accessibleText(control, QAccessible::Name), QString::fromUtf8(name));
}

TEST_F(PracticeWindowTest, TheExplanationAndItsButtonAreNamed)
{
    EXPECT_EQ(accessibleText(form->explainButton, QAccessible::Name), QStringLiteral("解析"));
    EXPECT_TRUE(accessibleText(form->explainButton, QAccessible::Description).contains(QStringLiteral("E键")));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->explainButton)->role(), QAccessible::Button);
    EXPECT_EQ(accessibleText(form->explanationPanel, QAccessible::Name), QStringLiteral("解析"));
    BankStore bank;
    bank.OpenBank();
    ExamWindow exam(bank, nullptr);
    EXPECT_EQ(accessibleText(exam.explainButton, QAccessible::Name), QStringLiteral("解析"));
    EXPECT_EQ(accessibleText(exam.explanationPanel, QAccessible::Name), QStringLiteral("解析"));
}

// A learner who hovers any button learns its key: every picture button of every window says, in
// its tooltip, which key does the same.
TEST_F(PracticeWindowTest, EveryButtonOfEveryWindowNamesItsKeyInItsTooltip)
{
    TForm1 menu;
    ExamWindow exam(form->bank(), nullptr);
    StudyWindow study(form->bank(), nullptr);
    for (QWidget *window : {static_cast<QWidget *>(&menu), static_cast<QWidget *>(form.get()),
                            static_cast<QWidget *>(&exam), static_cast<QWidget *>(&study)}) {
        const QList<ImageButton *> buttons = window->findChildren<ImageButton *>();
        EXPECT_FALSE(buttons.isEmpty()) << window->objectName().toStdString();
        for (const ImageButton *button : buttons) {
            const QString tip = button->toolTip();
            EXPECT_TRUE(tip.contains(QStringLiteral("键")))
                << window->objectName().toStdString() << " " << button->objectName().toStdString() << ": "
                << tip.toStdString();
        }
    }
}
