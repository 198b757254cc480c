#pragma once

#include "exam/ExamSession.h"
#include "exam/LearnerStats.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace kemuyi {

class BankStore;
class DayChart;
class ImageButton;
class LearnerProgress;
class ScoreChart;
class TopicChart;

// The study centre's 统计 page for one category: questions seen, mastered and in all, the
// readiness estimate, the share right per topic, answers per day with the streak, the mock-exam
// history, and 导出学习记录.
class StatsPage : public QWidget
{
    Q_OBJECT

public:
    // The page fills a 529 × 345 area. `progress` may be null: then the page shows no records.
    StatsPage(BankStore &bank, LearnerProgress *progress, QWidget *parent = nullptr);

    // Reads the category's questions and the learner's records and draws them.
    void showCategory(const QString &categoryCode);
    const LearnerStats &stats() const { return m_stats; }

    // Asks where to save (a file dialog unless replaced) and writes the CSV; a failure is
    // reported with its reason.
    void exportClicked();
    using FileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setClock(ExamClock clock) { m_clock = std::move(clock); }

    QLabel *summaryLabel = nullptr;
    QLabel *readinessLabel = nullptr;
    ImageButton *exportButton = nullptr;
    TopicChart *topicChart = nullptr;
    DayChart *dayChart = nullptr;
    ScoreChart *scoreChart = nullptr;

private:
    QString summaryText() const;

    BankStore &m_bank;
    LearnerProgress *m_progress;
    QString m_category;
    LearnerStats m_stats;
    ExamClock m_clock = systemClock();
    FileChooser m_chooseFile;
};

} // namespace kemuyi
