#pragma once

#include "CategoryPage.h"
#include "exam/ReviewPlan.h"

#include <functional>
#include <optional>

class QLabel;
class QSpinBox;

namespace kemuyi {

class ImageButton;

// The study centre's 智能复习 page: what is due, the daily number (kept in the progress file) and
// 开始复习, which hands the planned run to whoever shows the page.
class SmartReviewPage : public CategoryPage
{
    Q_OBJECT

public:
    // Without `progress` every question is unseen and the daily number is not kept.
    SmartReviewPage(BankStore &bank, LearnerProgress *progress, QWidget *parent = nullptr);

    void showCategory(const QString &categoryCode) override;
    // Plans the run now and hands it on; nothing when there is nothing to review.
    void startClicked();
    const ReviewPlan &plan() const { return m_plan; }

    using StartHandler = std::function<void(const ReviewPlan &plan)>;
    void setStartHandler(StartHandler handler) { m_start = std::move(handler); }

    QLabel *infoLabel = nullptr;
    QLabel *limitCaption = nullptr;
    QSpinBox *limitBox = nullptr;
    ImageButton *startButton = nullptr;

private:
    void replan();
    void limitChanged(int limit);

    QVector<qint32> m_ids;
    QHash<qint32, MemoryState> m_memory;
    ReviewPlan m_plan;
    StartHandler m_start;
};

// "智能复习 第 n/N 题（到期 d 题）", the progress line of a smart-review run.
QString smartReviewProgressText(int position, int total, int due);
// A smart-review run's mode as the progress file keeps it ("smart:12"): it carries the number of
// questions that were due when the run was planned.
QString smartReviewMode(int due);
// That number, when `mode` is a smart-review run's.
std::optional<int> smartReviewDue(const QString &mode);

} // namespace kemuyi
