#include "StatsPage.h"

#include "Progress.h"
#include "ScoreChart.h"
#include "StudyCharts.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "exam/ProgressExport.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/ImageButton.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLabel>

namespace kemuyi {

namespace {

QString chooseCsvFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("导出学习记录"), suggested,
                                        QStringLiteral("CSV 文件 (*.csv)"));
}

} // namespace

StatsPage::StatsPage(BankStore &bank, LearnerProgress *progress, QWidget *parent)
    : CategoryPage(bank, progress, "statsPage", QStringLiteral("统计"), parent), m_chooseFile(chooseCsvFile)
{
    summaryLabel = paperLabel(this, "summaryLabel", {0, 0, 411, 40}, 14);
    summaryLabel->setWordWrap(true);
    summaryLabel->setContentsMargins(6, 0, 6, 0);
    exportButton = imageButton(this, "exportButton", {419, 0, 110, 40}, QStringLiteral("dcjl"));
    readinessLabel = paperLabel(this, "readinessLabel", {0, 44, 529, 40}, 13);
    readinessLabel->setWordWrap(true);
    readinessLabel->setContentsMargins(6, 0, 6, 0);
    topicChart = new TopicChart(this);
    topicChart->setObjectName(QStringLiteral("topicChart"));
    topicChart->setGeometry(0, 88, 529, 150);
    dayChart = new DayChart(this);
    dayChart->setObjectName(QStringLiteral("dayChart"));
    dayChart->setGeometry(0, 242, 262, 103);
    scoreChart = new ScoreChart(this);
    scoreChart->setObjectName(QStringLiteral("statsScoreChart"));
    scoreChart->setGeometry(267, 242, 262, 103);
    for (QWidget *chart : {static_cast<QWidget *>(topicChart), static_cast<QWidget *>(dayChart),
                           static_cast<QWidget *>(scoreChart)})
        chart->setFont(pixelFont(QStringLiteral("宋体"), 13));
    describe(summaryLabel, QString(), QStringLiteral("已做、已掌握和全部题数"));
    describe(readinessLabel, QString(), QStringLiteral("预计考试成绩"));
    describe(exportButton, QStringLiteral("导出学习记录"), QStringLiteral("把考试记录和每题的学习记录导出为 CSV 文件（回车键）"));
    exportButton->setToolTip(QStringLiteral("把学习记录导出为 CSV 文件（回车键）"));
    describe(topicChart, QStringLiteral("各专项答对率"), QString());
    describe(dayChart, QStringLiteral("每天作答次数"), QString());
    describe(scoreChart, QStringLiteral("模拟考试成绩"), QString());
    connect(exportButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { exportClicked(); }); });
    guardEvent([this] { LoadPicture(*exportButton, AppDir() + exportButton->normalFile()); });
}

void StatsPage::showCategory(const QString &categoryCode)
{
    m_category = categoryCode;
    m_stats = LearnerStats();
    QVector<CategoryQuestion> questions;
    for (const auto &[id, topic] : m_bank.categoryTopics(categoryCode))
        questions.append(CategoryQuestion{id, topic});
    m_stats.questions = int(questions.size());
    ProgressStore *open = store();
    if (open)
        m_stats = learnerStats(*open, m_progress->bank(), categoryCode, questions, m_clock());
    setAnnouncedText(summaryLabel, summaryText());
    setAnnouncedText(readinessLabel, readinessText(m_stats.readiness));
    topicChart->setTopics(m_stats.topics);
    dayChart->setDays(m_stats.lastDays, m_stats.streakDays);
    scoreChart->setScores(m_stats.exams, examFormatFor(categoryCode).passMark);
    exportButton->setEnabled(open != nullptr);
}

QString StatsPage::summaryText() const
{
    return QStringLiteral("已做 %1 题 · 已掌握 %2 题 · 共 %3 题 · 连续学习 %4 天")
        .arg(m_stats.seen).arg(m_stats.mastered).arg(m_stats.questions).arg(m_stats.streakDays);
}

void StatsPage::exportClicked()
{
    ProgressStore *open = store();
    if (!open)
        return;
    const QString suggested = QDir::homePath() + QStringLiteral("/学习记录-%1.csv")
                                                     .arg(QDateTime::fromMSecsSinceEpoch(m_clock()).toString(QStringLiteral("yyyyMMdd")));
    const QString path = m_chooseFile(this, suggested);
    if (path.isEmpty())
        return;
    exportRecords(*open, m_progress->bank(), path, m_clock());
    setAnnouncedText(summaryLabel, summaryText() + QStringLiteral("\n学习记录已导出到 ") + path);
}

} // namespace kemuyi
