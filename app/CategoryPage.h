#pragma once

#include "exam/ExamSession.h"

#include <QWidget>

namespace kemuyi {

class BankStore;
class LearnerProgress;
class ProgressStore;

// A page of the study centre that shows one category from the bank and the learner's records:
// 智能复习 and 统计. It fills a 529 × 345 area; the study window places it and calls
// showCategory() whenever the page is chosen.
class CategoryPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 345;

    // `progress` may be null: then the page shows no records and keeps nothing.
    CategoryPage(BankStore &bank, LearnerProgress *progress, const char *name, const QString &accessibleName,
                 QWidget *parent);

    // Reads the category's questions and the learner's records and shows them.
    virtual void showCategory(const QString &categoryCode) = 0;
    void setClock(ExamClock clock) { m_clock = std::move(clock); }

protected:
    // The open progress file, or null when there is none to read.
    ProgressStore *store() const;

    BankStore &m_bank;
    LearnerProgress *m_progress;
    QString m_category;
    ExamClock m_clock = systemClock();
};

} // namespace kemuyi
