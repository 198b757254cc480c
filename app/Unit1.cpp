#include "Unit1.h"

#include "Unit2.h"
#include "bank/BankStore.h"
#include "bank/Category.h"
#include "common/AppPaths.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Confirmation.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverPictures.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/InterfaceScale.h"
#include "ui/KeyTable.h"
#include "ui/LearnerSettings.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <utility>

namespace kemuyi {

namespace {

QLabel *titleLabel(QWidget *parent, const char *name, const QRect &place, const QFont &font,
                   const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    // The window paints in the button-face role, which the label would otherwise inherit and
    // draw its text in the button-text colour.
    label->setForegroundRole(QPalette::WindowText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

bool confirmLeaving()
{
    return confirm(QStringLiteral("要退出“科目一练习”吗？"));
}

} // namespace

QString introductionText()
{
    QFile file(QStringLiteral(":/text/introduction.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setUpFixedWindow(*this, 690, 450);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    createControls();
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { CMMouseEnter(control); },
        [this](QWidget *control) { CMMouseLeave(control); });
    guardEvent([this] { FormCreate(); });
}

ImageButton *TForm1::addButton(const char *name, const QRect &place, const QString &stem)
{
    ImageButton *button = imageButton(this, name, place, stem);
    // The buttons keep the artwork compiled into the program until the pointer first passes.
    guardEvent([button] { LoadBuiltInPicture(*button, QStringLiteral(":/builtin/") + button->normalFile()); });
    return button;
}

void TForm1::createControls()
{
    Image1 = pictureBox(this, "Image1", {0, 0, 690, 450});
    guardEvent([this] { LoadBuiltInPicture(*Image1, QStringLiteral(":/builtin/bground1.jpg")); });

    Image_a1a3b1 = addButton("Image_a1a3b1", {500, 154, 153, 43}, QStringLiteral("a1a3b1"));
    Image_a2b2 = addButton("Image_a2b2", {500, 204, 153, 42}, QStringLiteral("a2b2"));
    Image_c1c2c3c4 = addButton("Image_c1c2c3c4", {500, 104, 153, 42}, QStringLiteral("c1c2c3c4"));
    Image_m = addButton("Image_m", {500, 304, 153, 41}, QStringLiteral("m"));
    Image_def = addButton("Image_def", {500, 254, 153, 43}, QStringLiteral("def"));
    Image_tc = addButton("Image_tc", {500, 354, 153, 41}, QStringLiteral("tc"));

    Label1 = titleLabel(this, "Label1", {44, 64, 247, 21},
                        pixelFont(QStringLiteral("华文细黑"), 19, QFont::Light),
                        QStringLiteral("机动车驾驶人科目一考试题库"));
    Label2 = titleLabel(this, "Label2", {40, 24, 258, 35}, pixelFont(QStringLiteral("黑体"), 35, QFont::Bold),
                        QStringLiteral("新  手  上  路"));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(40, 112, 417, 273);
    Memo1->setReadOnly(true);
    // Not a tab stop, but a click gives it the keyboard for scrolling and selecting.
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(pixelFont(QStringLiteral("宋体"), 16));
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, QColor(0xF4, 0xF1, 0xE8));
    palette.setColor(QPalette::Text, QColor(0x20, 0x2A, 0x36));
    Memo1->setPalette(palette);
    Memo1->setPlainText(introductionText());

    describe(Image_c1c2c3c4, QStringLiteral("小型汽车"), QStringLiteral("练习小型汽车类（C1 C2 C3 C4）题目"));
    describe(Image_a1a3b1, QStringLiteral("客车"), QStringLiteral("练习客车类（A1 A3 B1）题目"));
    describe(Image_a2b2, QStringLiteral("货车"), QStringLiteral("练习货车类（A2 B2）题目"));
    describe(Image_def, QStringLiteral("摩托车"), QStringLiteral("练习摩托车类（D E F）题目"));
    describe(Image_m, QStringLiteral("轮式专用机械车"), QStringLiteral("练习轮式专用机械车类（M）题目"));
    describe(Image_tc, QStringLiteral("退出"), QStringLiteral("退出程序"));
    describe(Memo1, QStringLiteral("题库说明"), QString());
    const std::pair<ImageButton *, const char *> tips[] = {
        {Image_c1c2c3c4, "小型汽车 C1 C2 C3 C4（1键）"}, {Image_a1a3b1, "客车 A1 A3 B1（2键）"},
        {Image_a2b2, "货车 A2 B2（3键）"},              {Image_def, "摩托车 D E F（4键）"},
        {Image_m, "轮式专用机械车 M（5键）"},            {Image_tc, "退出程序（Esc键，先询问）"},
    };
    for (const auto &[button, tip] : tips)
        button->setToolTip(QString::fromUtf8(tip));

    const std::pair<ImageButton *, void (TForm1::*)()> clicks[] = {
        {Image_a1a3b1, &TForm1::Image_a1a3b1Click}, {Image_a2b2, &TForm1::Image_a2b2Click},
        {Image_c1c2c3c4, &TForm1::Image_c1c2c3c4Click}, {Image_m, &TForm1::Image_mClick},
        {Image_def, &TForm1::Image_defClick}, {Image_tc, &TForm1::Image_tcClick},
    };
    for (const auto &[button, handler] : clicks) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler = handler] { guardEvent([this, handler] { (this->*handler)(); }); });
    }
    createSettingsButtons();
}

void TForm1::createSettingsButtons()
{
    const auto settingsButton = [this](const char *name, const QRect &place) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(place);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setFont(pixelFont(QStringLiteral("宋体"), 14));
        button->setStyleSheet(QStringLiteral("QPushButton { background: #F4F1E8; color: #202A36; border: 1px solid #8A9AAE; }"
                                             "QPushButton:hover { background: #FFFFFF; }"));
        return button;
    };
    sizeButton = settingsButton("sizeButton", {40, 398, 160, 28});
    autoReadButton = settingsButton("autoReadButton", {208, 398, 160, 28});
    sizeButton->setToolTip(QStringLiteral("窗口、文字和图片一起放大：100%、125%、150%、200% 轮换（W键）"));
    autoReadButton->setToolTip(QStringLiteral("练习和考试时每道新题显示后自动读出（Y键）；读本题按V键"));
    connect(sizeButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { sizeClicked(); }); });
    connect(autoReadButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { autoReadClicked(); }); });
    updateSettingsButtons();
}

void TForm1::updateSettingsButtons()
{
    const int percent = qRound(interfaceScale() * 100);
    sizeButton->setText(QStringLiteral("界面大小：%1%（W）").arg(percent));
    describe(sizeButton, QStringLiteral("界面大小 %1%").arg(percent), sizeButton->toolTip());
    const bool on = savedAutoRead();
    autoReadButton->setText(on ? QStringLiteral("自动朗读：开（Y）") : QStringLiteral("自动朗读：关（Y）"));
    describe(autoReadButton, on ? QStringLiteral("自动朗读，已打开") : QStringLiteral("自动朗读，已关闭"),
             autoReadButton->toolTip());
}

void TForm1::sizeClicked()
{
    const int next = nextSizeChoice(qRound(interfaceScale() * 100));
    saveSizePercent(next);
    setInterfaceScale(next / 100.0);
    updateSettingsButtons();
}

void TForm1::autoReadClicked()
{
    saveAutoRead(!savedAutoRead());
    updateSettingsButtons();
}

void TForm1::FormCreate()
{
    LoadPicture(*Image1, AppDir() + QStringLiteral("bground1.jpg"));
    CopyBank();
}

void TForm1::practise(const QString &categoryCode)
{
    if (!m_practice)
        return;
    m_pendingCategory = categoryCode;
    // A click that arrives while an earlier showing is still unwinding (the window is closed,
    // but an answer's wait inside it has not ended yet) is taken up by that showing's loop below,
    // once the wait and its step are done.
    if (m_practising)
        return;
    m_practising = true;
    while (!m_pendingCategory.isEmpty() && isVisible()) {
        m_practice->Edit1->setText(std::exchange(m_pendingCategory, QString()));
        m_practice->exec();
    }
    m_pendingCategory.clear();
    m_practising = false;
    returnKeyboardTo(*this);
}

void TForm1::Image_a1a3b1Click() { practise(categoryCode(Category::A1A3B1)); }
void TForm1::Image_a2b2Click() { practise(categoryCode(Category::A2B2)); }
void TForm1::Image_c1c2c3c4Click() { practise(categoryCode(Category::C1C2C3C4)); }
void TForm1::Image_mClick() { practise(categoryCode(Category::M)); }
void TForm1::Image_defClick() { practise(categoryCode(Category::DEF)); }

void TForm1::Image_tcClick()
{
    close();
}

bool TForm1::menuKeyDown(const QKeyEvent &event)
{
    // The buttons as they stand on screen, top to bottom.
    const std::pair<KeyAction, void (TForm1::*)()> categories[] = {
        {KeyAction::Category1, &TForm1::Image_c1c2c3c4Click}, {KeyAction::Category2, &TForm1::Image_a1a3b1Click},
        {KeyAction::Category3, &TForm1::Image_a2b2Click},     {KeyAction::Category4, &TForm1::Image_defClick},
        {KeyAction::Category5, &TForm1::Image_mClick},
    };
    const KeyAction action = keyActionFor(event, KeyWindow::Menu);
    for (const auto &[category, click] : categories) {
        if (category == action) {
            guardEvent([this, click = click] { (this->*click)(); });
            return true;
        }
    }
    switch (action) {
    case KeyAction::Size: guardEvent([this] { sizeClicked(); }); return true;
    case KeyAction::AutoRead: guardEvent([this] { autoReadClicked(); }); return true;
    default: break;
    }
    if (action != KeyAction::Back)
        return false;
    if (confirmLeaving())
        Image_tcClick();
    return true;
}

// Also while the introduction has the keyboard for scrolling: being read-only, it passes on every
// key it does not scroll with, and none of those is a menu key.
void TForm1::keyPressEvent(QKeyEvent *event)
{
    if (!menuKeyDown(*event))
        QWidget::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing from outside the program (the window manager's close key) asks first, as Esc does;
    // 退出 closes at once, and so does a quitting application, whose close events Qt sends as
    // its own, not as spontaneous ones.
    if (event->spontaneous() && !confirmLeaving()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::CMMouseEnter(QWidget *control)
{
    m_hoverPictures.enter(*this, control);
}

void TForm1::CMMouseLeave(QWidget *control)
{
    m_hoverPictures.leave(*this, control);
}

} // namespace kemuyi
