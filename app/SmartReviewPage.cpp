#include "SmartReviewPage.h"

#include "Progress.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/ImageButton.h"

#include <QLabel>
#include <QSpinBox>

namespace kemuyi {

QString smartReviewProgressText(int position, int total, int due)
{
    return QStringLiteral("智能复习 第 %1/%2 题（到期 %3 题）").arg(position).arg(total).arg(due);
}

namespace {
const QString kSmartPrefix = QStringLiteral("smart:");
}

QString smartReviewMode(int due)
{
    return kSmartPrefix + QString::number(due);
}

std::optional<int> smartReviewDue(const QString &mode)
{
    if (!mode.startsWith(kSmartPrefix))
        return std::nullopt;
    bool ok = false;
    const int due = mode.mid(kSmartPrefix.size()).toInt(&ok);
    if (!ok || due < 0)
        return std::nullopt;
    return due;
}

SmartReviewPage::SmartReviewPage(BankStore &bank, LearnerProgress *progress, QWidget *parent)
    : CategoryPage(bank, progress, "smartReviewPage", QStringLiteral("智能复习"), parent)
{
    infoLabel = paperLabel(this, "infoLabel", {0, 0, 529, 250}, 15);
    infoLabel->setWordWrap(true);
    infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoLabel->setContentsMargins(8, 6, 8, 6);
    limitCaption = paperLabel(this, "limitCaption", {0, 262, 200, 32}, 15);
    limitCaption->setText(QStringLiteral("每次复习题数："));
    limitCaption->setContentsMargins(8, 0, 0, 0);
    limitBox = new QSpinBox(this);
    limitBox->setObjectName(QStringLiteral("limitBox"));
    limitBox->setGeometry(204, 262, 90, 32);
    limitBox->setFont(pixelFont(QStringLiteral("宋体"), 15));
    limitBox->setRange(review::minimumDailyLimit, review::maximumDailyLimit);
    limitBox->setSingleStep(10);
    limitBox->setValue(review::defaultDailyLimit);
    startButton = imageButton(this, "startReviewButton", {419, 258, 110, 40}, QStringLiteral("ksfx"));
    describe(limitBox, QStringLiteral("每日复习题数"), QStringLiteral("一次智能复习最多的题数（上下方向键调整）"));
    describe(infoLabel, QString(), QStringLiteral("到期和未做的题数"));
    describe(startButton, QStringLiteral("开始复习"), QStringLiteral("先复习到期的题，再做未做过的题（回车键）"));
    limitBox->setToolTip(QStringLiteral("一次复习最多的题数（上下方向键调整）"));
    startButton->setToolTip(QStringLiteral("先复习到期的题，再做没做过的题（回车键）"));
    connect(startButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { startClicked(); }); });
    connect(limitBox, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int limit) { guardEvent([this, limit] { limitChanged(limit); }); });
    guardEvent([this] { LoadPicture(*startButton, AppDir() + startButton->normalFile()); });
}

void SmartReviewPage::showCategory(const QString &categoryCode)
{
    m_category = categoryCode;
    m_ids = m_bank.categoryIds(categoryCode);
    m_memory.clear();
    int limit = review::defaultDailyLimit;
    if (ProgressStore *open = store()) {
        for (const QuestionRecord &record : open->questionRecords(m_progress->bank()))
            m_memory.insert(record.question, record.memory);
        limit = open->dailyReviewLimit();
    }
    const QSignalBlocker quiet(limitBox);
    limitBox->setValue(limit);
    replan();
}

void SmartReviewPage::replan()
{
    const qint64 now = m_clock();
    m_plan = planSmartReview(m_ids, m_memory, now, limitBox->value());
    int seen = 0, mastered = 0;
    for (qint32 id : std::as_const(m_ids)) {
        const auto found = m_memory.constFind(id);
        if (found == m_memory.cend() || found->isNew())
            continue;
        ++seen;
        mastered += memory::isMastered(*found) ? 1 : 0;
    }
    const int dueInRun = std::min(m_plan.dueCount, int(m_plan.questions.size()));
    QString text = QStringLiteral("智能复习按记忆模型（FSRS-4.5）安排题目：先复习快要忘记的题（过期最久的在前），"
                                  "再做从未做过的题。\n\n"
                                  "现在到期 %1 题，从未做过 %2 题，已掌握 %3 题（共 %4 题）。\n")
                       .arg(m_plan.dueCount).arg(m_ids.size() - seen).arg(mastered).arg(m_ids.size());
    text += m_plan.questions.isEmpty()
                ? QStringLiteral("\n现在没有需要复习的题，明天再来吧。")
                : QStringLiteral("\n本次复习 %1 题：到期 %2 题，新题 %3 题。")
                      .arg(m_plan.questions.size()).arg(dueInRun).arg(m_plan.questions.size() - dueInRun);
    setAnnouncedText(infoLabel, text);
    startButton->setEnabled(!m_plan.questions.isEmpty());
}

void SmartReviewPage::limitChanged(int limit)
{
    if (m_progress)
        m_progress->write([limit](ProgressStore &store, const QString &) { store.setDailyReviewLimit(limit); });
    replan();
}

void SmartReviewPage::startClicked()
{
    // Planned again at the press: the page may have stood open past a due time.
    replan();
    if (m_plan.questions.isEmpty() || !m_start)
        return;
    m_start(m_plan);
}

} // namespace kemuyi
