#include "Unit4.h"

#include "Progress.h"
#include "ScoreChart.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace kemuyi {

namespace {

constexpr int kHistoryLength = 20;

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

QString pointsText(const ExamFormat &format)
{
    return QStringLiteral("共%1题，限时%2分钟，每题%3分，满分%4分，%5分及格。")
        .arg(format.questions).arg(format.minutes).arg(format.pointsPerQuestion)
        .arg(format.fullMarks()).arg(format.passMark);
}

} // namespace

QString categoryTitle(const QString &code)
{
    static const QHash<QString, QString> titles = {
        {QStringLiteral("C1C2C3C4"), QStringLiteral("小型汽车（C1 C2 C3 C4）")},
        {QStringLiteral("A1A3B1"), QStringLiteral("客车（A1 A3 B1）")},
        {QStringLiteral("A2B2"), QStringLiteral("货车（A2 B2）")},
        {QStringLiteral("DEF"), QStringLiteral("摩托车（D E F）")},
        {QStringLiteral("M"), QStringLiteral("轮式专用机械车（M）")},
    };
    return titles.value(code, code);
}

TForm4::TForm4(LearnerProgress *progress, QWidget *parent) : QDialog(parent), m_progress(progress)
{
    setObjectName(QStringLiteral("Form4"));
    setUpFixedWindow(*this, 690, 450);
    setModal(true);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    describeControls();
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { CMMouseEnter(control); },
        [this](QWidget *control) { CMMouseLeave(control); });
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { guardEvent([this] { Timer1Timer(); }); });
    guardEvent([this] { loadPictures(); });
    showPage(Page::Start);
}

TForm4::~TForm4() = default;

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

// ---- pages ----

void TForm4::showPage(Page page)
{
    m_page = page;
    const bool start = page == Page::Start;
    const bool exam = page == Page::Exam || page == Page::Confirm;
    const bool drill = page == Page::Drill;
    const bool result = page == Page::Result;
    LabelInfo->setVisible(start);
    Chart->setVisible(start);
    ImgKsks->setVisible(start);
    ImgCtlx->setVisible(start);
    Label1->setVisible(!start);
    Image2->setVisible(!start);
    LabelClock->setVisible(exam || result);
    Image1->setVisible(drill);
    ImgFq->setVisible(page == Page::Exam);
    ImgJj->setVisible(page == Page::Exam);
    ImgQrjj->setVisible(page == Page::Confirm);
    ImgJxdt->setVisible(page == Page::Confirm);
    ImgPrev->setVisible(!start);
    ImgNext->setVisible(!start);
    if (page != Page::Confirm) {
        for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo})
            button->setVisible(exam || drill);
    }
    // The clock runs on through the hand-in question.
    if (page != Page::Confirm && (page == Page::Exam) != m_timer->isActive()) {
        if (page == Page::Exam)
            m_timer->start();
        else
            m_timer->stop();
    }
    if (start)
        Label2->clear();
}

void TForm4::prepare(const QString &categoryCode)
{
    m_category = categoryCode;
    m_session.reset();
    m_questions.clear();
    m_bank.reset();
    m_bank = std::make_unique<ExamBank>(workingCopyPath());
    showStartPage();
}

void TForm4::runFor(const QString &categoryCode)
{
    guardEvent([this, &categoryCode] { prepare(categoryCode); });
    centerOnScreen(*this);
    exec();
}

void TForm4::showStartPage()
{
    m_timer->stop();
    showPage(Page::Start);
    const ExamFormat format = examFormatFor(m_category);
    LabelTop->setText(QStringLiteral("模拟考试 · ") + categoryTitle(m_category));
    QVector<ScoreRecord> scores;
    m_drillIds.clear();
    std::optional<StoredSitting> open;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr) {
        const QString bank = m_progress->bank();
        guardEvent([&] {
            scores = store->recentScores(m_category, kHistoryLength);
            open = store->unfinishedSitting(bank, m_category);
            if (m_bank)
                m_drillIds = m_bank->inCategory(store->bookQuestions(bank), m_category);
        });
    }
    QString info = categoryTitle(m_category) + QStringLiteral("科目一模拟考试\n") + pointsText(format)
                   + QStringLiteral("\n题目从本类别题库中随机抽取，不重复。");
    if (open)
        info += QStringLiteral("\n上次的考试尚未交卷，按“开始考试”继续（时间照常计算）。");
    info += QStringLiteral("\n错题本：%1 题（连续答对两次即移出错题本）").arg(m_drillIds.size());
    LabelInfo->setText(info);
    ImgCtlx->setEnabled(!m_drillIds.isEmpty());
    ImgCtlx->setAccessibleName(QStringLiteral("错题练习，%1题").arg(m_drillIds.size()));
    ImgCtlx->setToolTip(QStringLiteral("练习错题本中的 %1 道题（小键盘/或K键）").arg(m_drillIds.size()));
    Chart->setScores(scores, format.passMark);
}

const ExamQuestion &TForm4::cached(qint32 id)
{
    auto found = m_questions.find(id);
    if (found == m_questions.end())
        found = m_questions.insert(id, m_bank->question(id));
    return *found;
}

void TForm4::ImgExitClick()
{
    switch (m_page) {
    case Page::Start:
        close();
        break;
    case Page::Confirm:
        ImgJxdtClick();
        break;
    case Page::Exam:
        // The sitting stays open in the progress file and the start page offers to go on.
        m_timer->stop();
        close();
        break;
    case Page::Result:
    case Page::Drill:
        showStartPage();
        break;
    }
}

void TForm4::closeEvent(QCloseEvent *event)
{
    m_timer->stop();
    QDialog::closeEvent(event);
}

// ---- keys ----

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    const ExamKey key = examKeyFor(*event);
    event->accept();
    guardEvent([this, key] { FormKeyDown(key); });
}

void TForm4::FormKeyDown(ExamKey key)
{
    switch (key) {
    case ExamKey::A: answer(1); break;
    case ExamKey::B: answer(2); break;
    case ExamKey::C: answer(3); break;
    case ExamKey::D: answer(4); break;
    case ExamKey::True: answer(5); break;
    case ExamKey::False: answer(6); break;
    case ExamKey::Prev: ImgPrevClick(); break;
    case ExamKey::Next:
        if (m_page == Page::Start)
            ImgKsksClick();
        else if (m_page == Page::Confirm)
            ImgQrjjClick();
        else
            ImgNextClick();
        break;
    case ExamKey::GiveUp: ImgFqClick(); break;
    case ExamKey::HandIn: ImgJjClick(); break;
    case ExamKey::Book: ImgCtlxClick(); break;
    case ExamKey::Back: ImgExitClick(); break;
    case ExamKey::Hint:
    case ExamKey::MockExam:
    case ExamKey::None:
        break;
    }
}

// ---- hover pictures ----

void TForm4::CMMouseEnter(QWidget *control)
{
    m_hoverPictures.enter(*this, control, true);
}

void TForm4::CMMouseLeave(QWidget *control)
{
    m_hoverPictures.leave(*this, control);
}

} // namespace kemuyi
