#include "Unit2.h"

#include "Progress.h"
#include "ExamWindow.h"
#include "SmartReviewPage.h"
#include "exam/ProgressStore.h"
#include "ui/Windows.h"

#include <QLabel>

// The practice window's additions: the progress line over the run, the judged answers kept for
// the wrong-question book, and the mock exam's entry.

namespace kemuyi {

void TForm2::startMode(bool shuffled)
{
    m_modeName = shuffled ? QStringLiteral("加强练习") : QStringLiteral("顺序练习");
    m_runMode = shuffled ? QStringLiteral("intensive") : QStringLiteral("sequential");
    // Two runs started within one millisecond still count apart.
    m_runId = std::max(m_clock(), m_runId + 1);
    if (shuffled)
        m_run.StartIntensive();
    else
        m_run.StartSequential();
    // Counted only once the run has its questions: a failed start leaves the old run's counts.
    m_tally.reset(m_run.QuestionCount);
    rememberRun();
    updateProgressLine();
}

void TForm2::noteVerdict(bool right)
{
    // Every judged answer goes to the progress file, which counts the first of each showing for
    // the memory model and the book (a question shown again in a run is a new showing); the
    // progress line counts the run's first judgement of each position.
    if (m_progress) {
        const JudgedAnswer answer{m_run.CurrentQuestionId, right, m_helped, Showing{m_runId, m_showing},
                                  m_clock(), categoryCode()};
        m_progress->write([&answer](ProgressStore &store, const QString &bank) { store.recordAnswer(bank, answer); });
    }
    if (!right)
        m_helped = true;
    if (m_tally.judged(m_run.CurrentPosition, right))
        updateProgressLine();
    refreshExplainButton();
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
    const int right = m_tally.right();
    const int wrong = m_tally.wrong();
    const int total = m_run.QuestionCount;
    // A set of questions names itself ("专项：交通信号"); the category is the window's, and the
    // line stays short.
    const bool set = m_runMode != QLatin1String("sequential") && m_runMode != QLatin1String("intensive");
    const QString run = set ? m_modeName + QLatin1Char(' ') : category + QStringLiteral(" · ") + m_modeName;
    if (total > 0 && right + wrong == total) {
        LabelProgress->setText(QStringLiteral("%1完成：%2 题全部答完，答对 %3，答错 %4，正确率 %5%")
                                   .arg(run).arg(total).arg(right).arg(wrong).arg(right * 100 / total));
        return;
    }
    const QString counts = QStringLiteral(" · 答对 %1 · 答错 %2").arg(right).arg(wrong);
    if (const std::optional<int> due = smartReviewDue(m_runMode)) {
        LabelProgress->setText(smartReviewProgressText(m_run.CurrentPosition, total, *due) + counts);
        return;
    }
    LabelProgress->setText(QStringLiteral("%1%2第 %3/%4 题").arg(run, set ? QString() : QStringLiteral(" · "))
                               .arg(m_run.CurrentPosition).arg(total) + counts);
}

void TForm2::ImgMnksClick()
{
    if (!m_examWindow) {
        m_examWindow = new ExamWindow(m_bank, m_progress, this);
        m_examWindow->setSpeech(m_speech);
    }
    m_examWindow->runFor(categoryCode());
    returnKeyboardTo(*this);
}

} // namespace kemuyi
