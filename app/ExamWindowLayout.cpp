// The mock-exam window's controls: where they sit, what they say to assistive technology, and
// their pictures.

#include "ExamWindow.h"

#include "ScoreChart.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"
#include "practice/PracticeRun.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/ExplanationPanel.h"
#include "ui/Windows.h"
#include "ui/Fonts.h"
#include "ui/FailureReport.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QLabel>
#include <QTextBrowser>

namespace kemuyi {

namespace {

QLabel *wrappingPaperLabel(QWidget *parent, const char *name, const QRect &place, int pixels = 16)
{
    QLabel *label = paperLabel(parent, name, place, pixels);
    label->setWordWrap(true);
    return label;
}

} // namespace

void ExamWindow::createControls()
{
    background = pictureBox(this, "background", {0, 0, 690, 450});
    titleBand = bandLabel(this, "titleBand", {16, 4, 657, 24});
    rulesLabel = wrappingPaperLabel(this, "rulesLabel", {144, 48, 529, 184});
    rulesLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rulesLabel->setContentsMargins(8, 6, 8, 6);
    readinessLabel = wrappingPaperLabel(this, "readinessLabel", {144, 236, 529, 44}, 14);
    readinessLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    readinessLabel->setContentsMargins(8, 0, 8, 0);
    scoreChart = new ScoreChart(this);
    scoreChart->setObjectName(QStringLiteral("scoreChart"));
    scoreChart->setGeometry(144, 284, 529, 109);
    scoreChart->setFont(pixelFont(QStringLiteral("宋体"), 13));
    questionLabel = wrappingPaperLabel(this, "questionLabel", {144, 96, 529, kQuestionAreaHeight});
    questionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    missedList = new QTextBrowser(this);
    missedList->setObjectName(QStringLiteral("missedList"));
    missedList->setGeometry(144, 196, 529, 197);
    missedList->setFont(pixelFont(QStringLiteral("宋体"), 14));
    missedList->setOpenLinks(false);
    missedList->setStyleSheet(QStringLiteral("QTextBrowser { background: white; border: none; }"));
    questionPicture = pictureBox(this, "questionPicture", {240, 264, 329, 129});
    questionPicture->setCentered(true);
    statusLabel = wrappingPaperLabel(this, "statusLabel", {144, 412, 529, 29});
    statusLabel->setWordWrap(false);
    statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    clockLabel = wrappingPaperLabel(this, "clockLabel", {16, 96, 110, 107}, 15);
    clockLabel->setAlignment(Qt::AlignCenter);
    verdictPicture = pictureBox(this, "verdictPicture", {19, 96, 107, 107});

    trueButton = imageButton(this, "trueButton", {144, 48, 60, 40}, QStringLiteral("dui"));
    falseButton = imageButton(this, "falseButton", {207, 48, 60, 40}, QStringLiteral("cuo"));
    aButton = imageButton(this, "aButton", {144, 48, 60, 40}, QStringLiteral("1"));
    bButton = imageButton(this, "bButton", {207, 48, 60, 40}, QStringLiteral("2"));
    cButton = imageButton(this, "cButton", {270, 48, 60, 40}, QStringLiteral("3"));
    dButton = imageButton(this, "dButton", {334, 48, 59, 41}, QStringLiteral("4"));
    dButton->setAutoSize(false);
    prevButton = imageButton(this, "prevButton", {432, 48, 90, 40}, QStringLiteral("5"));
    nextButton = imageButton(this, "nextButton", {527, 48, 90, 40}, QStringLiteral("6"));
    startButton = imageButton(this, "startButton", {16, 257, 110, 40}, QStringLiteral("ksks"));
    drillButton = imageButton(this, "drillButton", {16, 303, 110, 40}, QStringLiteral("ctlx"));
    giveUpButton = imageButton(this, "giveUpButton", {16, 303, 110, 40}, QStringLiteral("fq"));
    handInButton = imageButton(this, "handInButton", {16, 349, 110, 40}, QStringLiteral("jj"));
    confirmButton = imageButton(this, "confirmButton", {16, 303, 110, 40}, QStringLiteral("qrjj"));
    keepAnsweringButton = imageButton(this, "keepAnsweringButton", {16, 349, 110, 40}, QStringLiteral("jxdt"));
    discardButton = imageButton(this, "discardButton", {16, 211, 110, 40}, QStringLiteral("fqks"));
    confirmDiscardButton = imageButton(this, "confirmDiscardButton", {16, 303, 110, 40}, QStringLiteral("qrfq"));
    exitButton = imageButton(this, "exitButton", {16, 395, 110, 40}, QStringLiteral("exit"));
    explanationPanel = new ExplanationPanel(this, "explanationPanel", {144, 96, 529, 297});
    explainButton = imageButton(this, "explainButton", {613, 414, 56, 25}, QStringLiteral("jx"));
    explainButton->hide();
    readButton = imageButton(this, "readButton", {395, 48, 34, 40}, QStringLiteral("ld"));

    const std::pair<ImageButton *, std::function<void()>> clicks[] = {
        {aButton, [this] { answer(ChoiceA); }},       {bButton, [this] { answer(ChoiceB); }},
        {cButton, [this] { answer(ChoiceC); }},       {dButton, [this] { answer(ChoiceD); }},
        {trueButton, [this] { answer(ChoiceTrue); }},     {falseButton, [this] { answer(ChoiceFalse); }},
        {prevButton, [this] { prevClicked(); }}, {nextButton, [this] { nextClicked(); }},
        {startButton, [this] { startClicked(); }}, {drillButton, [this] { drillClicked(); }},
        {giveUpButton, [this] { giveUpClicked(); }},   {handInButton, [this] { handInClicked(); }},
        {confirmButton, [this] { confirmClicked(); }}, {keepAnsweringButton, [this] { keepAnsweringClicked(); }},
        {discardButton, [this] { discardClicked(); }}, {confirmDiscardButton, [this] { confirmDiscardClicked(); }},
        {exitButton, [this] { exitClicked(); }}, {explainButton, [this] { explainClicked(); }},
        {readButton, [this] { readClicked(); }},
    };
    for (const auto &[button, handler] : clicks)
        connect(button, &QAbstractButton::clicked, this, [handler = handler] { guardEvent(handler); });
}

void ExamWindow::describeControls()
{
    describe(aButton, QStringLiteral("答案A"), QStringLiteral("选择答案A（小键盘7或A键）"));
    describe(bButton, QStringLiteral("答案B"), QStringLiteral("选择答案B（小键盘8或B键）"));
    describe(cButton, QStringLiteral("答案C"), QStringLiteral("选择答案C（小键盘9或C键）"));
    describe(dButton, QStringLiteral("答案D"), QStringLiteral("选择答案D（小键盘6或D键）"));
    describe(trueButton, QStringLiteral("正确"), QStringLiteral("判断为正确（小键盘4或T键）"));
    describe(falseButton, QStringLiteral("错误"), QStringLiteral("判断为错误（小键盘5或F键）"));
    describe(prevButton, QStringLiteral("上一题"), QStringLiteral("回到上一题（小键盘+或P键）"));
    describe(nextButton, QStringLiteral("下一题"), QStringLiteral("进入下一题（回车键或N键）"));
    describe(startButton, QStringLiteral("开始考试"), QStringLiteral("开始或继续模拟考试（回车键）"));
    describe(drillButton, QStringLiteral("错题练习"), QStringLiteral("练习错题本中的题目（小键盘/或K键）"));
    describe(giveUpButton, QStringLiteral("放弃"), QStringLiteral("跳到下一道未答的题（小键盘-或G键）"));
    describe(handInButton, QStringLiteral("交卷"), QStringLiteral("交卷并查看成绩（小键盘*或J键）"));
    describe(confirmButton, QStringLiteral("确认交卷"), QStringLiteral("确认交卷（回车键）"));
    describe(keepAnsweringButton, QStringLiteral("继续答题"), QStringLiteral("不交卷，继续答题（小键盘0或Esc键）"));
    describe(discardButton, QStringLiteral("放弃考试"), QStringLiteral("放弃未交卷的考试，不计成绩（Q键）"));
    describe(confirmDiscardButton, QStringLiteral("确认放弃"), QStringLiteral("确认放弃本次考试（回车键）"));
    describe(exitButton, QStringLiteral("退出"), QStringLiteral("离开本页（小键盘0或Esc键）"));
    // The description names the button's keys: hovering shows it too.
    for (ImageButton *button : findChildren<ImageButton *>()) {
        if (button->toolTip().isEmpty())
            button->setToolTip(button->accessibleDescription());
    }
    describe(explainButton, QStringLiteral("解析"), QStringLiteral("在解析和题目之间切换（E键）"));
    explainButton->setToolTip(QStringLiteral("解析和题目之间切换（E键）"));
    describe(readButton, QStringLiteral("朗读题目"),
             QStringLiteral("读出本题，再按一次停止（V键）；Y键打开或关闭自动朗读"));
    readButton->setToolTip(QStringLiteral("朗读本题（V键，再按停止；Y键：自动朗读新题）"));
    describe(titleBand, QString(), QStringLiteral("考试进度"));
    describe(clockLabel, QString(), QStringLiteral("剩余时间与答题数"));
    describe(readinessLabel, QString(), QStringLiteral("预计考试成绩"));
    describe(missedList, QStringLiteral("错题和未答题列表"), QStringLiteral("本次考试答错和未答的全部题目、您的答案、正确答案及解析"));
    describe(questionLabel, QString(), QStringLiteral("题目及选项"));
    describe(statusLabel, QString(), QStringLiteral("状态栏"));
    describe(verdictPicture, QStringLiteral("答题结果图示"), QString());
    describe(questionPicture, QStringLiteral("题目插图"), QString());
}

void ExamWindow::loadPictures()
{
    loadWindowPictures(*this, *background, QStringLiteral("bground2.jpg"));
}

} // namespace kemuyi
