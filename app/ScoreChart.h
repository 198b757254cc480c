#pragma once

#include "exam/ProgressStore.h"

#include <QWidget>

namespace kemuyi {

// The last scores as bars on a 0–100 scale with the pass line across them; green bars passed.
class ScoreChart : public QWidget
{
    Q_OBJECT

public:
    explicit ScoreChart(QWidget *parent = nullptr);
    void setScores(const QVector<ScoreRecord> &scores, int passMark);
    const QVector<ScoreRecord> &scores() const { return m_scores; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<ScoreRecord> m_scores;
    int m_passMark = 90;
};

} // namespace kemuyi
