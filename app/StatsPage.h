#pragma once

#include "CategoryPage.h"
#include "exam/LearnerStats.h"

#include <functional>

class QLabel;

namespace kemuyi {

class DayChart;
class ImageButton;
class ScoreChart;
class TopicChart;

// The study centre's 统计 page for one category: questions seen, mastered and in all, the
// readiness estimate, the share right per topic, answers per day with the streak, the mock-exam
// history, and 导出学习记录.
class StatsPage : public CategoryPage
{
    Q_OBJECT

public:
    // Without `progress` the page shows no records.
    StatsPage(BankStore &bank, LearnerProgress *progress, QWidget *parent = nullptr);

    void showCategory(const QString &categoryCode) override;
    const LearnerStats &stats() const { return m_stats; }

    // Asks where to save (a file dialog unless replaced) and writes the CSV; a failure is
    // reported with its reason.
    void exportClicked();
    using FileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    QLabel *summaryLabel = nullptr;
    QLabel *readinessLabel = nullptr;
    ImageButton *exportButton = nullptr;
    TopicChart *topicChart = nullptr;
    DayChart *dayChart = nullptr;
    ScoreChart *scoreChart = nullptr;

private:
    QString summaryText() const;

    LearnerStats m_stats;
    FileChooser m_chooseFile;
};

} // namespace kemuyi
