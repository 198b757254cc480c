#include "Unit2.h"

#include "ExamKeys.h"
#include "Progress.h"
#include "Unit4.h"
#include "exam/ProgressStore.h"
#include "bank/Question.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"
#include "practice/Judging.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/EventWait.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverPictures.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/KeyCodes.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace kemuyi {

namespace {

QLabel *whiteLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setFont(pixelFont(QStringLiteral("宋体"), 16));
    label->setAutoFillBackground(true);
    // The window paints in the button-face role; the question area is plain white paper.
    label->setBackgroundRole(QPalette::Window);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

PictureBox *pictureBox(QWidget *parent, const char *name, const QRect &place)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

// The window's picture buttons with their click handlers, in the order their pictures load: a
// picture that fails to load stops the loading there.
struct ButtonRole
{
    ImageButton *TForm2::*button;
    void (TForm2::*click)();
};
constexpr ButtonRole kButtons[] = {
    {&TForm2::ImgA, &TForm2::ImgAClick},       {&TForm2::ImgB, &TForm2::ImgBClick},
    {&TForm2::ImgC, &TForm2::ImgCClick},       {&TForm2::ImgD, &TForm2::ImgDClick},
    {&TForm2::ImgDui, &TForm2::ImgDuiClick},   {&TForm2::ImgCuo, &TForm2::ImgCuoClick},
    {&TForm2::ImgPrev, &TForm2::ImgPrevClick}, {&TForm2::ImgNext, &TForm2::ImgNextClick},
    {&TForm2::ImgHelp, &TForm2::ImgHelpClick}, {&TForm2::ImgChk, &TForm2::ImgChkClick},
    {&TForm2::ImgSxlx, &TForm2::ImgSxlxClick}, {&TForm2::ImgJqlx, &TForm2::ImgJqlxClick},
    {&TForm2::ImgExit, &TForm2::ImgExitClick},
};

// The exam keyboard: a key does what a click on its button does, but only while the gating
// button is enabled; a key without one (leaving, the hint) always acts.
struct KeyBinding
{
    int key;
    ImageButton *TForm2::*gate;
    void (TForm2::*press)();
};
constexpr KeyBinding kKeys[] = {
    {VkReturn, &TForm2::ImgNext, &TForm2::ImgNextClick},
    {VkEscape, nullptr, &TForm2::ImgExitClick},
    {VkNumpad4, &TForm2::ImgDui, &TForm2::ImgDuiClick},
    {VkNumpad5, &TForm2::ImgCuo, &TForm2::ImgCuoClick},
    {VkNumpad6, &TForm2::ImgD, &TForm2::ImgDClick},
    {VkNumpad7, &TForm2::ImgA, &TForm2::ImgAClick},
    {VkNumpad8, &TForm2::ImgB, &TForm2::ImgBClick},
    {VkNumpad9, &TForm2::ImgC, &TForm2::ImgCClick},
    {VkAdd, &TForm2::ImgPrev, &TForm2::ImgPrevClick},
    {VkDecimal, nullptr, &TForm2::ImgHelpClick},
};

QString unsafePictureName(const QString &pic)
{
    return QStringLiteral("题目的插图名“%1”%2，已拒绝加载").arg(pic, pictureNameProblem(pic));
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent), m_run(m_bank, *this)
{
    setObjectName(QStringLiteral("Form2"));
    setUpFixedWindow(*this, 690, 450);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    setFocusPolicy(Qt::StrongFocus);

    createControls();
    guardEvent([this] { loadBuiltInPictures(); });
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { CMMouseEnter(control); },
        [this](QWidget *control) { CMMouseLeave(control); });
    // Key preview: every key reaches the window first, whichever child has the focus.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    // The mock exam's button loads last: when loading stopped earlier, it keeps its built-in
    // picture like every control after the one that failed.
    if (guardEvent([this] { FormCreate(); }))
        guardEvent([this] { LoadPicture(*ImgMnks, AppDir() + ImgMnks->normalFile()); });
}

TForm2::~TForm2() = default;

ImageButton *TForm2::addButton(const char *name, int x, int y, int w, int h,
                               const QString &normalFile, const QString &hoverFile)
{
    auto *button = new ImageButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, w, h);
    button->setPictureFiles(normalFile, hoverFile);
    return button;
}

void TForm2::createControls()
{
    Image5 = pictureBox(this, "Image5", {0, 0, 690, 450});
    Image5->setAutoSize(true);
    ImgDui = addButton("ImgDui", 144, 48, 60, 40, QStringLiteral("dui.jpg"), QStringLiteral("dui_ovr.jpg"));
    ImgCuo = addButton("ImgCuo", 207, 48, 60, 40, QStringLiteral("cuo.jpg"), QStringLiteral("cuo_ovr.jpg"));
    ImgPrev = addButton("ImgPrev", 432, 48, 90, 40, QStringLiteral("5.jpg"), QStringLiteral("5_ovr.jpg"));
    ImgSxlx = addButton("ImgSxlx", 16, 303, 110, 40, QStringLiteral("sxlx.jpg"), QStringLiteral("sxlx_ovr.jpg"));
    ImgJqlx = addButton("ImgJqlx", 16, 349, 110, 40, QStringLiteral("jqlx.jpg"), QStringLiteral("jqlx_ovr.jpg"));
    ImgExit = addButton("ImgExit", 16, 395, 110, 40, QStringLiteral("exit.jpg"), QStringLiteral("exit_ovr.jpg"));
    Label1 = whiteLabel(this, "Label1", {144, 96, 529, 297});
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = whiteLabel(this, "Label2", {144, 412, 529, 29});
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Image1 = pictureBox(this, "Image1", {19, 96, 107, 107});
    Image1->setAutoSize(true);
    ImgA = addButton("ImgA", 144, 48, 60, 40, QStringLiteral("1.jpg"), QStringLiteral("1_ovr.jpg"));
    ImgB = addButton("ImgB", 207, 48, 60, 40, QStringLiteral("2.jpg"), QStringLiteral("2_ovr.jpg"));
    ImgC = addButton("ImgC", 270, 48, 60, 40, QStringLiteral("3.jpg"), QStringLiteral("3_ovr.jpg"));
    ImgHelp = addButton("ImgHelp", 625, 48, 50, 40, QStringLiteral("7.jpg"), QStringLiteral("7_ovr.jpg"));
    ImgNext = addButton("ImgNext", 527, 48, 90, 40, QStringLiteral("6.jpg"), QStringLiteral("6_ovr.jpg"));
    Image2 = pictureBox(this, "Image2", {240, 264, 329, 129});
    Image2->setCentered(true);
    ImgChk = addButton("ImgChk", 16, 224, 110, 40, QStringLiteral("uncheck.jpg"), QStringLiteral("chk_ovr.jpg"));
    ImgD = addButton("ImgD", 334, 48, 59, 41, QStringLiteral("4.jpg"), QStringLiteral("4_ovr.jpg"));
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
}

void TForm2::FormCreate()
{
    LoadPicture(*Image5, AppDir() + QStringLiteral("bground2.jpg"));
    for (const ButtonRole &role : kButtons) {
        ImageButton &button = *(this->*role.button);
        LoadPicture(button, AppDir() + button.normalFile());
    }
    CheckBox1->setChecked(false);
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centerOnScreen(*this);
    guardEvent([this] { FormShow(); });
}

void TForm2::FormShow()
{
    m_modeName.clear();
    m_verdicts.clear();
    updateProgressLine();
    m_run.PrepareOnShow();
}

bool TForm2::autoAdvance() const
{
    return CheckBox1->isChecked();
}

// ---- the run's view of the window ----

QString TForm2::categoryCode() const
{
    return Edit1->text();
}

ImageButton *TForm2::buttonFor(RunButton button) const
{
    switch (button) {
    case RunButton::A: return ImgA;
    case RunButton::B: return ImgB;
    case RunButton::C: return ImgC;
    case RunButton::D: return ImgD;
    case RunButton::Dui: return ImgDui;
    case RunButton::Cuo: return ImgCuo;
    case RunButton::Prev: return ImgPrev;
    case RunButton::Next: return ImgNext;
    case RunButton::Help: return ImgHelp;
    }
    return nullptr;
}

void TForm2::setButtonEnabled(RunButton button, bool enabled)
{
    buttonFor(button)->setEnabled(enabled);
}

bool TForm2::isButtonEnabled(RunButton button) const
{
    return buttonFor(button)->isEnabled();
}

void TForm2::clearQuestionArea()
{
    Label1->clear();
    Label2->clear();
    Image1->clearPicture();
    Image2->clearPicture();
}

void TForm2::setBusyCursor(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void TForm2::showEmptyCategory()
{
    setAnnouncedText(Label2, QStringLiteral(" 本类别题库中没有题目。"));
}

// ---- showing a question ----

void TForm2::ShowRecord()
{
    m_run.CurrentQuestionId = m_run.currentEntry().QuestionId;
    m_bank.SelectQuestion(m_run.CurrentQuestionId);

    // Every shown value is read before anything on screen changes, so a NULL among them leaves
    // the previous question in place.
    const Question &question = m_bank.CurrentQuestion(
        {Column::Subject, Column::A, Column::B, Column::C, Column::D, Column::Pic, Column::Select});
    Label1->clear();
    Label1->setText(composeQuestionText(m_run.CurrentPosition, question));

    const QString &pic = question.pic;
    if (pic.isEmpty()) {
        Image2->clearPicture();
    } else {
        // The name comes from a file we do not control: it may name a picture, never a path.
        if (isUnsafePictureName(pic))
            throw Failure(unsafePictureName(pic));
        LoadPicture(*Image2, AppDir() + QStringLiteral("pic/") + pic + QStringLiteral(".jpg"));
    }

    Label2->clear();
    setAnnouncedText(Label2, choiceStatusText(m_run.currentEntry().Choice));
    LoadPicture(*Image1, AppDir() + QStringLiteral("thinking.jpg"));
    m_run.CheckStatus();

    const bool choice = question.select == QLatin1String("Y");
    ImgA->setVisible(choice);
    ImgB->setVisible(choice);
    ImgDui->setVisible(!choice);
    ImgCuo->setVisible(!choice);
    ImgC->setVisible(choice);
    ImgD->setVisible(choice);
    updateProgressLine();
}

// ---- answering ----

void TForm2::answer(RunButton button)
{
    const AnswerKey &key = answerKey(button);
    switch (recordAnswer(m_run, m_bank, key, buttonFor(button)->isEnabled())) {
    case Verdict::Right:
        noteVerdict(1);
        RightAnswer(key.value);
        break;
    case Verdict::Wrong:
        noteVerdict(2);
        WrongAnswer(key.value);
        break;
    case Verdict::NotJudged:
        break;
    }
}

void TForm2::RightAnswer(const QString &value)
{
    afterJudged(rightAnswerText(value), QStringLiteral("yes.jpg"));
}

void TForm2::WrongAnswer(const QString &value)
{
    afterJudged(wrongAnswerText(value), QStringLiteral("no.jpg"));
}

void TForm2::afterJudged(const QString &statusText, const QString &pictureFile)
{
    setAnnouncedText(Label2, statusText);
    LoadPicture(*Image1, AppDir() + pictureFile);
    // Both are looked at once, now: whatever happens during the wait, the step follows it, and
    // the step's own guard decides whether it still moves.
    if (autoAdvance() && ImgNext->isEnabled())
        oweStep();
}

// Each such answer owes one step, due a second after the last of them; then the owed steps run
// one after another. That is what a wait per answer, nested inside the wait of the answer before,
// would do as it unwinds; but one wait takes every answer given during it, so a held answer key
// (about 25 presses a second) leaves the stack as it is instead of nesting without bound.
void TForm2::oweStep()
{
    ++m_owedSteps;
    m_stepsDue = QDeadlineTimer(m_advanceDelayMs, Qt::PreciseTimer);
    if (m_waitingForSteps)
        return; // the running wait now lasts until a second after this answer
    m_waitingForSteps = true;
    waitProcessingEvents(m_stepsDue);
    m_waitingForSteps = false;
    // Taken out first: an answer given during a failure box of one of these steps starts a wait
    // of its own, as it would have done inside the nested waits.
    for (int steps = std::exchange(m_owedSteps, 0); steps > 0; --steps)
        guardEvent([this] { m_run.StepForward(); });
}

void TForm2::Delay(int ms)
{
    waitProcessingEvents(ms);
}

void TForm2::ImgAClick() { answer(RunButton::A); }
void TForm2::ImgBClick() { answer(RunButton::B); }
void TForm2::ImgCClick() { answer(RunButton::C); }
void TForm2::ImgDClick() { answer(RunButton::D); }
void TForm2::ImgDuiClick() { answer(RunButton::Dui); }
void TForm2::ImgCuoClick() { answer(RunButton::Cuo); }
void TForm2::ImgPrevClick() { m_run.StepBack(); }
void TForm2::ImgNextClick() { m_run.StepForward(); }
void TForm2::ImgSxlxClick() { startMode(false); }
void TForm2::ImgJqlxClick() { startMode(true); }

void TForm2::ImgHelpClick()
{
    // In a category without questions there is no record whose answer could be shown.
    if (!m_bank.hasCurrentRecord())
        return;
    setAnnouncedText(Label2, hintText(m_bank.CurrentQuestion({Column::Answer}).answer));
}

// ---- the switch and leaving ----

void TForm2::setAutoAdvance(bool on)
{
    CheckBox1->setChecked(on);
    ImgPrev->setVisible(!on);
    ImgNext->setVisible(!on);
}

void TForm2::ImgChkClick()
{
    const bool on = !autoAdvance();
    // The picture first: when it cannot be loaded the switch stays whole as it was, so what it
    // shows is always what it does.
    LoadPicture(*ImgChk, AppDir() + (on ? QStringLiteral("checked.jpg") : QStringLiteral("uncheck.jpg")));
    setAutoAdvance(on);
}

void TForm2::ImgExitClick()
{
    // Leaving must never be blocked by a missing picture: the window is frameless and modal,
    // so a learner would have no other way out. The failure is still reported.
    setAutoAdvance(false);
    guardEvent([this] { LoadPicture(*ImgChk, AppDir() + QStringLiteral("uncheck.jpg")); });
    close();
}

// ---- hover pictures ----

void TForm2::CMMouseEnter(QWidget *control)
{
    if (control == ImgMnks) {
        m_hoverPictures.load(*ImgMnks, ImgMnks->hoverFile());
        return;
    }
    auto *button = qobject_cast<ImageButton *>(control);
    if (!button || button->parentWidget() != this)
        return;
    if (button == ImgChk)
        m_hoverPictures.load(*button, autoAdvance() ? QStringLiteral("unchk_ovr.jpg") : QStringLiteral("chk_ovr.jpg"));
    else if (button == ImgExit || button->isEnabled())
        m_hoverPictures.load(*button, button->hoverFile());
}

void TForm2::CMMouseLeave(QWidget *control)
{
    if (control == ImgMnks) {
        m_hoverPictures.load(*ImgMnks, ImgMnks->normalFile());
        return;
    }
    auto *button = qobject_cast<ImageButton *>(control);
    if (!button || button->parentWidget() != this)
        return;
    if (button == ImgChk)
        m_hoverPictures.load(*button, autoAdvance() ? QStringLiteral("Checked.jpg") : QStringLiteral("uncheck.jpg"));
    else
        m_hoverPictures.load(*button, button->normalFile());
}

// ---- keys ----

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    const int key = virtualKeyCode(*event);
    event->accept();
    if (key == VkNone || key == VkMultiply) {
        guardEvent([this, event] { ExtraKeyDown(event); });
        return;
    }
    guardEvent([this, key] { FormKeyDown(key); });
}

void TForm2::FormKeyDown(int key)
{
    for (const KeyBinding &binding : kKeys) {
        if (binding.key != key)
            continue;
        if (!binding.gate || (this->*binding.gate)->isEnabled())
            (this->*binding.press)();
        return;
    }
}

// ---- additions: the mock exam's entry, the progress line, letter keys, key tips ----

void TForm2::createAdditions()
{
    ImgMnks = new ImageButton(Image5);
    ImgMnks->setObjectName(QStringLiteral("ImgMnks"));
    ImgMnks->setGeometry(16, 268, 110, 30);
    ImgMnks->setPictureFiles(QStringLiteral("mnks.jpg"), QStringLiteral("mnks_ovr.jpg"));
    describe(ImgMnks, QStringLiteral("模拟考试"),
             QStringLiteral("按考试规则限时答题，交卷后查看成绩和错题（小键盘*或M键）"));

    LabelProgress = new QLabel(Image5);
    LabelProgress->setObjectName(QStringLiteral("LabelProgress"));
    LabelProgress->setGeometry(16, 4, 657, 24);
    LabelProgress->setTextFormat(Qt::PlainText);
    LabelProgress->setFont(pixelFont(QStringLiteral("宋体"), 15));
    LabelProgress->setAutoFillBackground(true);
    QPalette palette = LabelProgress->palette();
    LabelProgress->setBackgroundRole(QPalette::Window);
    LabelProgress->setForegroundRole(QPalette::WindowText);
    palette.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x4d));
    palette.setColor(QPalette::WindowText, Qt::white);
    LabelProgress->setPalette(palette);
    describe(LabelProgress, QString(), QStringLiteral("练习进度"));

    const std::pair<ImageButton *, const char *> tips[] = {
        {ImgA, "答案A（小键盘7 或 A键）"},   {ImgB, "答案B（小键盘8 或 B键）"},
        {ImgC, "答案C（小键盘9 或 C键）"},   {ImgD, "答案D（小键盘6 或 D键）"},
        {ImgDui, "正确（小键盘4 或 T键）"},  {ImgCuo, "错误（小键盘5 或 F键）"},
        {ImgPrev, "上一题（小键盘+ 或 P键）"}, {ImgNext, "下一题（回车键 或 N键）"},
        {ImgHelp, "显示正确答案（小键盘. 或 H键）"}, {ImgSxlx, "按题号顺序练习"},
        {ImgJqlx, "打乱顺序练习"},           {ImgChk, "答题一秒后自动转下题"},
        {ImgExit, "回到主界面（Esc键）"},    {ImgMnks, "模拟考试（小键盘* 或 M键）"},
    };
    for (const auto &[button, tip] : tips)
        button->setToolTip(QString::fromUtf8(tip));
}

void TForm2::startMode(bool shuffled)
{
    m_modeName = shuffled ? QStringLiteral("加强练习") : QStringLiteral("顺序练习");
    m_verdicts.fill(0, m_run.QuestionCount + 1);
    if (shuffled)
        m_run.StartIntensive();
    else
        m_run.StartSequential();
    updateProgressLine();
}

void TForm2::noteVerdict(int verdict)
{
    const qint32 slot = m_run.CurrentPosition;
    if (slot > 0 && slot < m_verdicts.size())
        m_verdicts[slot] = qint8(verdict);
    if (m_progress) {
        const qint32 id = m_run.CurrentQuestionId;
        m_progress->write([id, verdict](ProgressStore &store, const QString &bank) {
            store.recordAnswer(bank, id, verdict == 1);
        });
    }
    updateProgressLine();
}

void TForm2::updateProgressLine()
{
    if (!LabelProgress)
        return;
    const QString category = categoryTitle(categoryCode());
    if (!m_run.isActive() || m_modeName.isEmpty()) {
        LabelProgress->setText(category + QStringLiteral("：请点击左侧“顺序练习”或“加强练习”开始（也可“模拟考试”）"));
        return;
    }
    const int right = int(std::count(m_verdicts.begin(), m_verdicts.end(), qint8(1)));
    const int wrong = int(std::count(m_verdicts.begin(), m_verdicts.end(), qint8(2)));
    const int total = m_run.QuestionCount;
    if (total > 0 && right + wrong == total) {
        LabelProgress->setText(QStringLiteral("%1 · %2完成：%3 题全部答完，答对 %4，答错 %5，正确率 %6%")
                                   .arg(category, m_modeName).arg(total).arg(right).arg(wrong)
                                   .arg(right * 100 / total));
        return;
    }
    LabelProgress->setText(QStringLiteral("%1 · %2 · 第 %3/%4 题 · 答对 %5 · 答错 %6")
                               .arg(category, m_modeName).arg(m_run.CurrentPosition).arg(total).arg(right).arg(wrong));
}

void TForm2::ImgMnksClick()
{
    if (!m_examWindow)
        m_examWindow = new TForm4(m_progress, this);
    m_examWindow->runFor(categoryCode());
}

void TForm2::ExtraKeyDown(QKeyEvent *event)
{
    // Each letter does what its keypad key does, under the same conditions.
    switch (virtualKeyCode(*event) == VkMultiply ? ExamKey::MockExam : letterKeyFor(*event)) {
    case ExamKey::A: FormKeyDown(VkNumpad0 + 7); break;
    case ExamKey::B: FormKeyDown(VkNumpad0 + 8); break;
    case ExamKey::C: FormKeyDown(VkNumpad0 + 9); break;
    case ExamKey::D: FormKeyDown(VkNumpad0 + 6); break;
    case ExamKey::True: FormKeyDown(VkNumpad0 + 4); break;
    case ExamKey::False: FormKeyDown(VkNumpad0 + 5); break;
    case ExamKey::Prev: FormKeyDown(VkAdd); break;
    case ExamKey::Next: FormKeyDown(VkReturn); break;
    case ExamKey::Hint: FormKeyDown(VkDecimal); break;
    case ExamKey::MockExam: ImgMnksClick(); break;
    default: break;
    }
}

} // namespace kemuyi
