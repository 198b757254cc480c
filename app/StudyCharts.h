#pragma once

#include "exam/LearnerStats.h"

#include <QWidget>

namespace kemuyi {

// The share right per topic as horizontal bars, in the score chart's look: one row a topic with
// its name, a bar on a 0–100 % scale and the share with the number of answers.
class TopicChart : public QWidget
{
    Q_OBJECT

public:
    explicit TopicChart(QWidget *parent = nullptr);
    void setTopics(const QVector<TopicShare> &topics);
    const QVector<TopicShare> &topics() const { return m_topics; }
    // The names' font, and their column: as wide as the longest name, at most a third of the chart.
    QFont nameFont() const;
    int nameWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<TopicShare> m_topics;
};

// Answers per day over the last days as columns, today last, with the streak in the caption.
class DayChart : public QWidget
{
    Q_OBJECT

public:
    explicit DayChart(QWidget *parent = nullptr);
    void setDays(const QVector<DayTally> &days, int streakDays);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<DayTally> m_days;
    int m_streak = 0;
};

// A share right as the charts and the 统计 page say it: "85%", or "—" before any answer.
QString shareText(int right, int answers);

} // namespace kemuyi
