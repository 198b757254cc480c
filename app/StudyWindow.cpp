#include "StudyWindow.h"

#include "ExamWindow.h"
#include "Progress.h"
#include "SmartReviewPage.h"
#include "StatsPage.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "exam/StudySummary.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

namespace kemuyi {

namespace {

// The page's list: white paper like the question area, whole stems wrapped rather than cut.
QListWidget *paperList(QWidget *parent, const char *name, const QRect &place)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(place);
    list->setFont(pixelFont(QStringLiteral("宋体"), 15));
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setSpacing(2);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    list->setPalette(palette);
    return list;
}

// More hits than this say the words are too common to be a search; the list and the run stop here.
constexpr int kListedHits = 200;

// Long words would push the progress line's counts out of its band.
QString shortened(const QString &words)
{
    constexpr int kShown = 12;
    return words.size() <= kShown ? words : words.left(kShown) + QStringLiteral("…");
}

QString entryText(qint32 id, const QString &stem)
{
    return QStringLiteral("%1  %2").arg(id).arg(stem.simplified());
}

} // namespace

const std::vector<StudyWindow::PageEntry> &StudyWindow::pageTable()
{
    static const std::vector<PageEntry> table = {
        {Page::Topics, "topicsButton", "zxlx", "专项练习", "按专项练习本类别的题目（1键）", &StudyWindow::fillTopics},
        {Page::Favourites, "favouritesButton", "scj", "收藏", "练习或移除收藏的题目（2键）", &StudyWindow::fillFavourites},
        {Page::Book, "bookButton", "ctb", "错题本", "练习错题本中的题目（3键）", &StudyWindow::fillBook},
        {Page::Unanswered, "unansweredButton", "wzt", "未做题", "练习从未作答的题目（4键）", &StudyWindow::fillUnanswered},
        {Page::Search, "searchButton", "ss", "搜索", "按题干或选项中的文字查找题目（5键）", &StudyWindow::fillSearch},
        {Page::Resume, "resumeButton", "jxsc", "继续上次练习", "从上次停下的地方继续练习（6键）", &StudyWindow::fillResume},
        {Page::SmartReview, "smartReviewButton", "znfx", "智能复习", "先复习快要忘记的题，再做没做过的题（7键）",
         &StudyWindow::fillSmartReview},
        {Page::Stats, "statsButton", "tj", "统计", "已做和已掌握的题数、专项答对率、每天作答和预计成绩（8键）",
         &StudyWindow::fillStats},
    };
    return table;
}

StudyWindow::StudyWindow(BankStore &bank, LearnerProgress *progress, QWidget *parent)
    : QDialog(parent), m_bank(bank), m_progress(progress)
{
    setObjectName(QStringLiteral("StudyWindow"));
    setUpFixedWindow(*this, 690, 450);
    setModal(true);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    createControls();
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { pointerEntered(control); }, [this](QWidget *control) { pointerLeft(control); });
    for (QWidget *child : {static_cast<QWidget *>(searchField), static_cast<QWidget *>(entryList),
                           static_cast<QWidget *>(smartReviewPage->limitBox)})
        child->installEventFilter(this);
    entryList->viewport()->installEventFilter(this);
    guardEvent([this] { loadPictures(); });
}

StudyWindow::~StudyWindow() = default;

void StudyWindow::createControls()
{
    background = pictureBox(this, "background", {0, 0, 690, 450});
    titleBand = bandLabel(this, "titleBand", {16, 4, 657, 24});
    pageInfo = paperLabel(this, "pageInfo", {144, 40, 529, 50}, 15);
    pageInfo->setWordWrap(true);
    pageInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pageInfo->setContentsMargins(6, 2, 6, 2);
    searchField = new QLineEdit(this);
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setGeometry(144, 48, 529, 34);
    searchField->setFont(pixelFont(QStringLiteral("宋体"), 16));
    searchField->setPlaceholderText(QStringLiteral("输入题干或选项中的文字，空格分隔多个词"));
    entryList = paperList(this, "entryList", {144, 96, 529, 297});
    statusLabel = paperLabel(this, "statusLabel", {376, 401, 297, 40}, 15);
    statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusLabel->setContentsMargins(6, 0, 6, 0);
    openButton = imageButton(this, "openButton", {144, 401, 110, 40}, QStringLiteral("kslx"));
    removeButton = imageButton(this, "removeButton", {260, 401, 110, 40}, QStringLiteral("ycsc"));
    exitButton = imageButton(this, "exitButton", {16, 395, 110, 40}, QStringLiteral("exit"));
    smartReviewPage = new SmartReviewPage(m_bank, m_progress, this);
    smartReviewPage->setStartHandler([this](const ReviewPlan &plan) { startReview(plan); });
    statsPage = new StatsPage(m_bank, m_progress, this);
    // In place of the page's explanation and list.
    for (CategoryPage *page : {static_cast<CategoryPage *>(smartReviewPage), static_cast<CategoryPage *>(statsPage)})
        page->move(144, 40);

    const std::vector<PageEntry> &pages = pageTable();
    for (size_t i = 0; i < pages.size(); ++i) {
        const PageEntry &entry = pages[i];
        ImageButton *button = imageButton(this, entry.name, {16, 40 + int(i) * 38, 110, 34}, QString::fromLatin1(entry.stem));
        describe(button, QString::fromUtf8(entry.caption), QString::fromUtf8(entry.tip));
        button->setToolTip(QString::fromUtf8(entry.tip));
        connect(button, &QAbstractButton::clicked, this, [this, page = entry.page] { guardEvent([this, page] { showPage(page); }); });
        pageButtons.append(button);
    }
    describe(openButton, QStringLiteral("开始练习"), QStringLiteral("练习本页列出的题目，从选中的一题开始（回车键）"));
    openButton->setToolTip(QStringLiteral("练习列出的题目，从选中的一题开始（回车键）"));
    describe(removeButton, QStringLiteral("移除收藏"), QStringLiteral("把选中的题目移出收藏（Delete键）"));
    removeButton->setToolTip(QStringLiteral("把选中的题目移出收藏（Delete键）"));
    describe(exitButton, QStringLiteral("退出"), QStringLiteral("关闭学习中心，回到练习（Esc键或小键盘0）"));
    exitButton->setToolTip(QStringLiteral("回到练习（Esc键或小键盘0）"));
    describe(titleBand, QString(), QStringLiteral("学习中心"));
    describe(pageInfo, QString(), QStringLiteral("本页说明"));
    describe(searchField, QStringLiteral("搜索题目"), QStringLiteral("输入要查找的文字，回车练习找到的题目，向下键进入列表"));
    searchField->setToolTip(QStringLiteral("回车练习找到的全部题目；向下键或Tab键进入列表"));
    describe(entryList, QStringLiteral("题目列表"), QStringLiteral("上下键选择，回车从选中的一题开始练习"));
    describe(statusLabel, QString(), QStringLiteral("状态栏"));

    connect(openButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { openClicked(); }); });
    connect(removeButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { removeClicked(); }); });
    connect(exitButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { exitClicked(); }); });
    connect(searchField, &QLineEdit::textChanged, this, [this] { guardEvent([this] { runSearch(); }); });
    connect(entryList, &QListWidget::itemActivated, this, [this] { guardEvent([this] { openClicked(); }); });
}

void StudyWindow::loadPictures()
{
    loadWindowPictures(*this, *background, QStringLiteral("bground2.jpg"));
}

void StudyWindow::prepare(const QString &categoryCode)
{
    m_category = categoryCode;
    m_choice = {};
    m_questions.clear();
    m_stems.clear();
    m_records.clear();
    titleBand->setText(QStringLiteral("学习中心 · ") + categoryTitle(categoryCode));
    searchField->clear();
    // Each part is read on its own: a bank that cannot be read still leaves the learner's pages,
    // and a progress file that cannot be read still leaves the bank's.
    guardEvent([this] {
        m_search.open(workingCopyPath(), searchIndexSidePath());
        m_questions = m_search.categoryQuestions(m_category);
    });
    for (const SearchHit &question : std::as_const(m_questions))
        m_stems.insert(question.id, question.subject);
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr) {
        const QString bank = m_progress->bank();
        guardEvent([&] { m_records = store->questionRecords(bank); });
    }
    showPage(Page::Topics);
}

StudyChoice StudyWindow::runFor(const QString &categoryCode)
{
    prepare(categoryCode);
    centerOnScreen(*this);
    exec();
    return m_choice;
}

// ---- pages ----

void StudyWindow::showPage(Page page)
{
    m_page = page;
    const bool search = page == Page::Search;
    searchField->setVisible(search);
    const bool ownPage = page == Page::SmartReview || page == Page::Stats;
    smartReviewPage->setVisible(page == Page::SmartReview);
    statsPage->setVisible(page == Page::Stats);
    pageInfo->setVisible(!search && !ownPage);
    openButton->setVisible(!ownPage);
    statusLabel->setVisible(!ownPage);
    removeButton->setVisible(page == Page::Favourites);
    entryList->setVisible(page != Page::Resume && !ownPage);
    entryList->clear();
    m_listed.clear();
    statusLabel->clear();
    for (const PageEntry &entry : pageTable()) {
        if (entry.page == page)
            (this->*entry.fill)();
    }
    focusPage();
}

// Where the keys go on each page: typing in the search field, the number of questions on 智能复习
// (↑ ↓ change it, digits still switch pages), the window itself on 统计.
void StudyWindow::focusPage()
{
    switch (m_page) {
    case Page::Search: searchField->setFocus(); break;
    case Page::SmartReview: smartReviewPage->limitBox->setFocus(); break;
    case Page::Stats: setFocus(); break;
    default: entryList->setFocus(); break;
    }
}

void StudyWindow::listQuestions(const QVector<qint32> &ids)
{
    m_listed = ids;
    entryList->setUpdatesEnabled(false);
    for (const qint32 id : ids)
        entryList->addItem(entryText(id, m_stems.value(id)));
    entryList->setUpdatesEnabled(true);
    if (!ids.isEmpty())
        entryList->setCurrentRow(0);
    openButton->setEnabled(!ids.isEmpty());
}

void StudyWindow::fillTopics()
{
    const QVector<TopicSummary> summaries = topicSummaries(m_questions, m_records);
    m_topicQuestions.clear();
    m_topicKeys.clear();
    m_topicLabels.clear();
    for (const TopicSummary &topic : summaries) {
        entryList->addItem(QStringLiteral("%1　%2 题　已答 %3 题　%4")
                               .arg(topic.label).arg(topic.questions.size()).arg(topic.answeredQuestions).arg(shareText(topic)));
        m_topicQuestions.append(topic.questions);
        m_topicKeys.append(topic.key);
        m_topicLabels.append(topic.label);
    }
    if (!summaries.isEmpty())
        entryList->setCurrentRow(0);
    openButton->setEnabled(!summaries.isEmpty());
    setAnnouncedText(pageInfo, summaries.isEmpty()
                                   ? QStringLiteral("本题库没有标明专项，无法按专项练习。")
                                   : QStringLiteral("选中一个专项，按回车键或“开始练习”练习它的全部题目。答对率按每轮第一次作答计算。"));
}

void StudyWindow::fillFavourites()
{
    QVector<qint32> ids;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr)
        ids = withinCategory(store->favourites(m_progress->bank()), m_questions);
    listQuestions(ids);
    removeButton->setEnabled(!ids.isEmpty());
    setAnnouncedText(pageInfo, QStringLiteral("收藏 %1 题。练习时按 X 键或☆按钮收藏当前题目；回车练习收藏，Delete 键移除选中的一题。")
                                   .arg(ids.size()));
}

void StudyWindow::fillBook()
{
    QVector<qint32> ids;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr)
        ids = withinCategory(store->bookQuestions(m_progress->bank()), m_questions);
    listQuestions(ids);
    setAnnouncedText(pageInfo, QStringLiteral("错题本：%1 题，连续答对两次即移出错题本。回车开始错题练习。").arg(ids.size()));
}

void StudyWindow::fillUnanswered()
{
    const QVector<qint32> ids = unansweredQuestions(m_questions, m_records);
    listQuestions(ids);
    setAnnouncedText(pageInfo, QStringLiteral("本类别 %1 题中有 %2 题从未作答。回车从选中的一题开始练习。")
                                   .arg(m_questions.size()).arg(ids.size()));
}

void StudyWindow::fillSearch()
{
    runSearch();
}

void StudyWindow::runSearch()
{
    if (m_page != Page::Search)
        return;
    entryList->clear();
    QVector<qint32> ids;
    const QString words = searchField->text();
    QVector<SearchHit> hits;
    if (m_search.isOpen() && !searchWords(words).isEmpty())
        hits = m_search.find(words, m_category, kListedHits + 1);
    const bool more = hits.size() > kListedHits;
    if (more)
        hits.resize(kListedHits);
    for (const SearchHit &hit : std::as_const(hits))
        ids.append(hit.id);
    listQuestions(ids);
    if (searchWords(words).isEmpty())
        statusLabel->clear();
    else
        setAnnouncedText(statusLabel, more ? QStringLiteral("超过 %1 题，只列出前 %1 题").arg(kListedHits)
                                           : QStringLiteral("找到 %1 题").arg(ids.size()));
}

void StudyWindow::fillResume()
{
    std::optional<StoppedRun> last;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr)
        last = store->lastStoppedRun(m_progress->bank(), m_category);
    openButton->setEnabled(last.has_value());
    if (!last) {
        setAnnouncedText(pageInfo, QStringLiteral("还没有可以继续的练习。"));
        return;
    }
    m_listed = last->questions;
    const QString when = QDateTime::fromMSecsSinceEpoch(last->updatedMs).toString(QStringLiteral("M月d日 HH:mm"));
    setAnnouncedText(pageInfo, QStringLiteral("上次练习：%1，停在第 %2/%3 题（%4）。回车继续。")
                                   .arg(last->title).arg(last->position).arg(last->questions.size()).arg(when));
}

void StudyWindow::fillSmartReview()
{
    smartReviewPage->showCategory(m_category);
}

void StudyWindow::fillStats()
{
    statsPage->showCategory(m_category);
}

// ---- actions ----

int StudyWindow::chosenRow() const
{
    return qMax(0, entryList->currentRow());
}

void StudyWindow::chooseRun(const QString &mode, const QString &title, const QVector<qint32> &ids, int position)
{
    if (ids.isEmpty())
        return;
    m_choice.kind = StudyChoice::Kind::Run;
    m_choice.run = StoppedRun{mode, title, ids, position, 0};
    accept();
}

void StudyWindow::openClicked()
{
    switch (m_page) {
    case Page::Topics: {
        const int row = chosenRow();
        if (row < m_topicQuestions.size())
            chooseRun(QStringLiteral("topic:") + m_topicKeys.at(row), QStringLiteral("专项：") + m_topicLabels.at(row),
                      m_topicQuestions.at(row), 1);
        break;
    }
    case Page::Favourites:
        chooseRun(QStringLiteral("favourites"), QStringLiteral("收藏"), m_listed, chosenRow() + 1);
        break;
    case Page::Book:
        if (!m_listed.isEmpty()) {
            m_choice.kind = StudyChoice::Kind::Drill;
            accept();
        }
        break;
    case Page::Unanswered:
        chooseRun(QStringLiteral("unanswered"), QStringLiteral("未做题"), m_listed, chosenRow() + 1);
        break;
    case Page::Search:
        chooseRun(QStringLiteral("search"), QStringLiteral("搜索：") + shortened(searchField->text().simplified()), m_listed,
                  searchField->hasFocus() ? 1 : chosenRow() + 1);
        break;
    case Page::SmartReview:
        smartReviewPage->startClicked();
        break;
    case Page::Stats:
        statsPage->exportClicked();
        break;
    case Page::Resume:
        if (ProgressStore *store = m_progress ? m_progress->store() : nullptr) {
            if (const auto last = store->lastStoppedRun(m_progress->bank(), m_category))
                chooseRun(last->mode, last->title, last->questions, last->position);
        }
        break;
    }
}

// The due count travels in the run's mode, so the progress line can say it again when the learner
// continues the review another day.
void StudyWindow::startReview(const ReviewPlan &plan)
{
    chooseRun(smartReviewMode(plan.dueCount), QStringLiteral("智能复习"), plan.questions, 1);
}

void StudyWindow::removeClicked()
{
    if (m_page != Page::Favourites || m_listed.isEmpty() || !m_progress)
        return;
    const int row = chosenRow();
    const qint32 id = m_listed.value(row);
    m_progress->write([id](ProgressStore &store, const QString &bank) { store.removeFavourites(bank, {id}); });
    showPage(Page::Favourites);
    entryList->setCurrentRow(qMin(row, entryList->count() - 1));
    setAnnouncedText(statusLabel, QStringLiteral("已移除第 %1 题").arg(id));
}

void StudyWindow::exitClicked()
{
    m_choice = {};
    reject();
}

// ---- keys ----

void StudyWindow::keyDown(KeyAction action)
{
    switch (action) {
    case KeyAction::Back: exitClicked(); break;
    case KeyAction::Open: openClicked(); break;
    case KeyAction::Remove: removeClicked(); break;
    default: {
        const int index = int(action) - int(KeyAction::Page1);
        if (index >= 0 && index < int(pageTable().size()))
            showPage(pageTable()[size_t(index)].page);
        break;
    }
    }
}

bool StudyWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const KeyAction action = keyActionFor(*key, KeyWindow::Study);
    const bool typing = watched == searchField;
    if (typing && key->key() == Qt::Key_Down) {
        entryList->setFocus();
        return true;
    }
    // In the search field, digits and Delete are text; leaving, Enter and keypad 0 are not.
    const bool windowKey = action == KeyAction::Back || action == KeyAction::Open
                           || (!typing && action != KeyAction::None);
    if (!windowKey)
        return QDialog::eventFilter(watched, event);
    guardEvent([this, action] { keyDown(action); });
    return true;
}

void StudyWindow::keyPressEvent(QKeyEvent *event)
{
    const KeyAction action = keyActionFor(*event, KeyWindow::Study);
    if (action == KeyAction::None) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    guardEvent([this, action] { keyDown(action); });
}

// ---- hover pictures ----

void StudyWindow::pointerEntered(QWidget *control)
{
    m_hoverPictures.enter(*this, control, true);
}

void StudyWindow::pointerLeft(QWidget *control)
{
    m_hoverPictures.leave(*this, control);
}

} // namespace kemuyi
