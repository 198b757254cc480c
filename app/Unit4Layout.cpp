// The mock-exam window's controls: where they sit, what they say to assistive technology, and
// their pictures.

#include "Unit4.h"

#include "ScoreChart.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/FailureReport.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QLabel>

namespace kemuyi {

namespace {

QLabel *wrappingPaperLabel(QWidget *parent, const char *name, const QRect &place, int pixels = 16)
{
    QLabel *label = paperLabel(parent, name, place, pixels);
    label->setWordWrap(true);
    return label;
}

// White text on the dark band at the top of the window.
QLabel *bandLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setFont(pixelFont(QStringLiteral("宋体"), 15));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    // Roles are inherited from the window (button face) unless set.
    label->setBackgroundRole(QPalette::Window);
    label->setForegroundRole(QPalette::WindowText);
    palette.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x4d));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

ImageButton *TForm4::addButton(const char *name, QRect place, const QString &stem)
{
    auto *button = new ImageButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setPictureFiles(stem + QStringLiteral(".jpg"), stem + QStringLiteral("_ovr.jpg"));
    return button;
}

void TForm4::createControls()
{
    Image5 = new PictureBox(this);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setGeometry(0, 0, 690, 450);
    LabelTop = bandLabel(this, "LabelTop", {16, 4, 657, 24});
    LabelInfo = wrappingPaperLabel(this, "LabelInfo", {144, 48, 529, 120});
    LabelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelInfo->setContentsMargins(8, 6, 8, 6);
    Chart = new ScoreChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->setGeometry(144, 176, 529, 217);
    Chart->setFont(pixelFont(QStringLiteral("宋体"), 13));
    Label1 = wrappingPaperLabel(this, "Label1", {144, 96, 529, 297});
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2 = new PictureBox(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(240, 264, 329, 129);
    Image2->setCentered(true);
    Label2 = wrappingPaperLabel(this, "Label2", {144, 412, 529, 29});
    Label2->setWordWrap(false);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelClock = wrappingPaperLabel(this, "LabelClock", {16, 96, 110, 107}, 15);
    LabelClock->setAlignment(Qt::AlignCenter);
    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(19, 96, 107, 107);

    ImgDui = addButton("ImgDui", {144, 48, 60, 40}, QStringLiteral("dui"));
    ImgCuo = addButton("ImgCuo", {207, 48, 60, 40}, QStringLiteral("cuo"));
    ImgA = addButton("ImgA", {144, 48, 60, 40}, QStringLiteral("1"));
    ImgB = addButton("ImgB", {207, 48, 60, 40}, QStringLiteral("2"));
    ImgC = addButton("ImgC", {270, 48, 60, 40}, QStringLiteral("3"));
    ImgD = addButton("ImgD", {334, 48, 59, 41}, QStringLiteral("4"));
    ImgD->setAutoSize(false);
    ImgPrev = addButton("ImgPrev", {432, 48, 90, 40}, QStringLiteral("5"));
    ImgNext = addButton("ImgNext", {527, 48, 90, 40}, QStringLiteral("6"));
    ImgKsks = addButton("ImgKsks", {16, 257, 110, 40}, QStringLiteral("ksks"));
    ImgCtlx = addButton("ImgCtlx", {16, 303, 110, 40}, QStringLiteral("ctlx"));
    ImgFq = addButton("ImgFq", {16, 303, 110, 40}, QStringLiteral("fq"));
    ImgJj = addButton("ImgJj", {16, 349, 110, 40}, QStringLiteral("jj"));
    ImgQrjj = addButton("ImgQrjj", {16, 303, 110, 40}, QStringLiteral("qrjj"));
    ImgJxdt = addButton("ImgJxdt", {16, 349, 110, 40}, QStringLiteral("jxdt"));
    ImgExit = addButton("ImgExit", {16, 395, 110, 40}, QStringLiteral("exit"));

    const std::pair<ImageButton *, std::function<void()>> clicks[] = {
        {ImgA, [this] { answer(1); }},       {ImgB, [this] { answer(2); }},
        {ImgC, [this] { answer(3); }},       {ImgD, [this] { answer(4); }},
        {ImgDui, [this] { answer(5); }},     {ImgCuo, [this] { answer(6); }},
        {ImgPrev, [this] { ImgPrevClick(); }}, {ImgNext, [this] { ImgNextClick(); }},
        {ImgKsks, [this] { ImgKsksClick(); }}, {ImgCtlx, [this] { ImgCtlxClick(); }},
        {ImgFq, [this] { ImgFqClick(); }},   {ImgJj, [this] { ImgJjClick(); }},
        {ImgQrjj, [this] { ImgQrjjClick(); }}, {ImgJxdt, [this] { ImgJxdtClick(); }},
        {ImgExit, [this] { ImgExitClick(); }},
    };
    for (const auto &[button, handler] : clicks)
        connect(button, &QAbstractButton::clicked, this, [handler = handler] { guardEvent(handler); });
}

void TForm4::describeControls()
{
    describe(ImgA, QStringLiteral("答案A"), QStringLiteral("选择答案A（小键盘7或A键）"));
    describe(ImgB, QStringLiteral("答案B"), QStringLiteral("选择答案B（小键盘8或B键）"));
    describe(ImgC, QStringLiteral("答案C"), QStringLiteral("选择答案C（小键盘9或C键）"));
    describe(ImgD, QStringLiteral("答案D"), QStringLiteral("选择答案D（小键盘6或D键）"));
    describe(ImgDui, QStringLiteral("正确"), QStringLiteral("判断为正确（小键盘4或T键）"));
    describe(ImgCuo, QStringLiteral("错误"), QStringLiteral("判断为错误（小键盘5或F键）"));
    describe(ImgPrev, QStringLiteral("上一题"), QStringLiteral("回到上一题（小键盘+或P键）"));
    describe(ImgNext, QStringLiteral("下一题"), QStringLiteral("进入下一题（回车键或N键）"));
    describe(ImgKsks, QStringLiteral("开始考试"), QStringLiteral("开始或继续模拟考试（回车键）"));
    describe(ImgCtlx, QStringLiteral("错题练习"), QStringLiteral("练习错题本中的题目（小键盘/或K键）"));
    describe(ImgFq, QStringLiteral("放弃"), QStringLiteral("跳到下一道未答的题（小键盘-或G键）"));
    describe(ImgJj, QStringLiteral("交卷"), QStringLiteral("交卷并查看成绩（小键盘*或J键）"));
    describe(ImgQrjj, QStringLiteral("确认交卷"), QStringLiteral("确认交卷（回车键）"));
    describe(ImgJxdt, QStringLiteral("继续答题"), QStringLiteral("不交卷，继续答题（小键盘0或Esc键）"));
    describe(ImgExit, QStringLiteral("退出"), QStringLiteral("离开本页（小键盘0或Esc键）"));
    describe(LabelTop, QString(), QStringLiteral("考试进度"));
    describe(LabelClock, QString(), QStringLiteral("剩余时间与答题数"));
    describe(Label1, QString(), QStringLiteral("题目及选项"));
    describe(Label2, QString(), QStringLiteral("状态栏"));
    describe(Image1, QStringLiteral("答题结果图示"), QString());
    describe(Image2, QStringLiteral("题目插图"), QString());
}

void TForm4::loadPictures()
{
    // Every picture is tried, so that one missing file leaves only its own control bare.
    QStringList problems;
    const auto load = [&problems](PictureHolder &holder, const QString &file) {
        try {
            LoadPicture(holder, AppDir() + file);
        } catch (const Failure &failure) {
            problems.append(failure.message());
        }
    };
    load(*Image5, QStringLiteral("bground2.jpg"));
    for (ImageButton *button : findChildren<ImageButton *>())
        load(*button, button->normalFile());
    if (!problems.isEmpty())
        throw Failure(problems.join(QLatin1Char('\n')));
}

} // namespace kemuyi
