#include "Unit2.h"

#include "Unit2Controls.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/ExplanationPanel.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

// The practice window's controls: where each sits, what it shows at first, how a screen reader
// names it, and which handler a click reaches.

namespace kemuyi {

void TForm2::createControls()
{
    Image5 = pictureBox(this, "Image5", {0, 0, 690, 450});
    Image5->setAutoSize(true);
    ImgDui = imageButton(this, "ImgDui", {144, 48, 60, 40}, QStringLiteral("dui"));
    ImgCuo = imageButton(this, "ImgCuo", {207, 48, 60, 40}, QStringLiteral("cuo"));
    ImgPrev = imageButton(this, "ImgPrev", {432, 48, 90, 40}, QStringLiteral("5"));
    ImgSxlx = imageButton(this, "ImgSxlx", {16, 303, 110, 40}, QStringLiteral("sxlx"));
    ImgJqlx = imageButton(this, "ImgJqlx", {16, 349, 110, 40}, QStringLiteral("jqlx"));
    ImgExit = imageButton(this, "ImgExit", {16, 395, 110, 40}, QStringLiteral("exit"));
    Label1 = paperLabel(this, "Label1", {144, 96, 529, 297});
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = paperLabel(this, "Label2", {144, 412, 529, 29});
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Image1 = pictureBox(this, "Image1", {19, 96, 107, 107});
    Image1->setAutoSize(true);
    ImgA = imageButton(this, "ImgA", {144, 48, 60, 40}, QStringLiteral("1"));
    ImgB = imageButton(this, "ImgB", {207, 48, 60, 40}, QStringLiteral("2"));
    ImgC = imageButton(this, "ImgC", {270, 48, 60, 40}, QStringLiteral("3"));
    ImgHelp = imageButton(this, "ImgHelp", {625, 48, 50, 40}, QStringLiteral("7"));
    ImgNext = imageButton(this, "ImgNext", {527, 48, 90, 40}, QStringLiteral("6"));
    Image2 = pictureBox(this, "Image2", {240, 264, 329, 129});
    Image2->setCentered(true);
    ImgChk = imageButton(this, "ImgChk", {16, 224, 110, 40}, QStringLiteral("uncheck.jpg"), QStringLiteral("chk_ovr.jpg"));
    ImgD = imageButton(this, "ImgD", {334, 48, 59, 41}, QStringLiteral("4"));
    ImgD->setAutoSize(false);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->hide();

    describeControls();
    createAdditions();

    for (const ButtonRole &role : kButtons) {
        connect(this->*role.button, &QAbstractButton::clicked, this,
                [this, click = role.click] { guardEvent([this, click] { (this->*click)(); }); });
    }
    connect(ImgMnks, &QAbstractButton::clicked, this, [this] { guardEvent([this] { ImgMnksClick(); }); });
    connect(ImgRead, &QAbstractButton::clicked, this, [this] { guardEvent([this] { ImgReadClick(); }); });
}

void TForm2::describeControls()
{
    describe(ImgA, QStringLiteral("答案A"), QStringLiteral("选择答案A（小键盘7）"));
    describe(ImgB, QStringLiteral("答案B"), QStringLiteral("选择答案B（小键盘8）"));
    describe(ImgC, QStringLiteral("答案C"), QStringLiteral("选择答案C（小键盘9）"));
    describe(ImgD, QStringLiteral("答案D"), QStringLiteral("选择答案D（小键盘6）"));
    describe(ImgDui, QStringLiteral("正确"), QStringLiteral("判断为正确（小键盘4）"));
    describe(ImgCuo, QStringLiteral("错误"), QStringLiteral("判断为错误（小键盘5）"));
    describe(ImgPrev, QStringLiteral("上一题"), QStringLiteral("回到上一题（小键盘+）"));
    describe(ImgNext, QStringLiteral("下一题"), QStringLiteral("进入下一题（回车键）"));
    describe(ImgHelp, QStringLiteral("显示正确答案"), QStringLiteral("在状态栏显示本题的正确答案（小键盘.）"));
    describe(ImgSxlx, QStringLiteral("顺序练习"), QStringLiteral("按题号顺序从第一题开始练习"));
    describe(ImgJqlx, QStringLiteral("加强练习"), QStringLiteral("打乱题目顺序从头开始练习"));
    describe(ImgChk, QStringLiteral("自动转下题"), QStringLiteral("打开后，答题一秒后自动进入下一题"));
    describe(ImgExit, QStringLiteral("退出"), QStringLiteral("退出练习，回到主界面（Esc键）"));
    // The labels keep their text as their accessible name: that is what a screen reader reads.
    describe(Label1, QString(), QStringLiteral("题目及选项"));
    describe(Label2, QString(), QStringLiteral("状态栏：所选答案、判断结果或正确答案"));
    describe(Image1, QStringLiteral("答题结果图示"), QString());
    describe(Image2, QStringLiteral("题目插图"), QString());
}

// The artwork compiled into the program: what each control shows until its file is loaded, and
// what it keeps when the file is missing.
void TForm2::loadBuiltInPictures()
{
    LoadBuiltInPicture(*Image5, QStringLiteral(":/builtin/bground2.jpg"));
    for (const ButtonRole &role : kButtons) {
        ImageButton &button = *(this->*role.button);
        LoadBuiltInPicture(button, QStringLiteral(":/builtin/") + button.normalFile());
    }
    LoadBuiltInPicture(*ImgMnks, QStringLiteral(":/builtin/") + ImgMnks->normalFile());
    LoadBuiltInPicture(*explainButton, QStringLiteral(":/builtin/") + explainButton->normalFile());
    LoadBuiltInPicture(*ImgRead, QStringLiteral(":/builtin/") + ImgRead->normalFile());
}

void TForm2::createAdditions()
{
    ImgMnks = imageButton(Image5, "ImgMnks", {16, 268, 110, 30}, QStringLiteral("mnks"));
    describe(ImgMnks, QStringLiteral("模拟考试"),
             QStringLiteral("按考试规则限时答题，交卷后查看成绩和错题（小键盘*或M键）"));

    ImgRead = imageButton(Image5, "ImgRead", {395, 48, 34, 40}, QStringLiteral("ld"));
    describe(ImgRead, QStringLiteral("朗读题目"),
             QStringLiteral("读出本题的题号、题目和选项，再按一次停止（V键）；Y键打开或关闭自动朗读"));

    LabelProgress = bandLabel(Image5, "LabelProgress", {16, 4, 657, 24});
    describe(LabelProgress, QString(), QStringLiteral("练习进度"));

    // The status line's texts end well before its last 60 pixels, where 解析 stands.
    explainButton = imageButton(this, "explainButton", {613, 414, 56, 25}, QStringLiteral("jx"));
    explainButton->hide();
    describe(explainButton, QStringLiteral("解析"), QStringLiteral("查看本题的解析和依据（E键）"));
    explanationPanel = new ExplanationPanel(this, "explanationPanel", {144, 96, 529, 297});
    connect(explainButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { explainClicked(); }); });

    const std::pair<ImageButton *, const char *> tips[] = {
        {ImgA, "答案A（小键盘7 或 A键）"},   {ImgB, "答案B（小键盘8 或 B键）"},
        {ImgC, "答案C（小键盘9 或 C键）"},   {ImgD, "答案D（小键盘6 或 D键）"},
        {ImgDui, "正确（小键盘4 或 T键）"},  {ImgCuo, "错误（小键盘5 或 F键）"},
        {ImgPrev, "上一题（小键盘+ 或 P键）"}, {ImgNext, "下一题（回车键 或 N键）"},
        {ImgHelp, "显示正确答案（小键盘. 或 H键）"}, {ImgSxlx, "按题号顺序练习（S键）"},
        {ImgJqlx, "打乱顺序练习（R键）"},    {ImgChk, "答题一秒后自动转下题（Z键）"},
        {ImgExit, "回到主界面（Esc键）"},    {ImgMnks, "模拟考试（小键盘* 或 M键）"},
        {explainButton, "解析和依据（E键；E键或Esc键关闭）"},
        {ImgRead, "朗读本题（V键，再按停止；Y键：自动朗读新题）"},
    };
    for (const auto &[button, tip] : tips)
        button->setToolTip(QString::fromUtf8(tip));
}

} // namespace kemuyi
