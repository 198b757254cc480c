#include "ScoreChart.h"

#include "ui/InterfaceScale.h"

#include <QPainter>

namespace kemuyi {

ScoreChart::ScoreChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScoreChart::setScores(const QVector<ScoreRecord> &scores, int passMark)
{
    m_scores = scores;
    m_passMark = passMark;
    QStringList spoken;
    for (const ScoreRecord &score : scores)
        spoken.append(QString::number(score.score));
    setAccessibleDescription(scores.isEmpty() ? QStringLiteral("还没有考试成绩")
                                              : QStringLiteral("最近的成绩：") + spoken.join(QStringLiteral("，")));
    update();
}

void ScoreChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in the program's pixels: the chart grows with its window, text included.
    const QSizeF area = paintInDesignPixels(p, *this);
    const qreal width = area.width();
    const qreal height = area.height();
    p.fillRect(QRectF(QPointF(0, 0), area), Qt::white);
    QFont caption = font();
    caption.setPixelSize(13);
    p.setFont(caption);
    p.setPen(QColor(0x1f, 0x3a, 0x4d));
    // A narrow chart (the 统计 page's) says the same in fewer words.
    const QString title = width >= 400 ? QStringLiteral("最近 %1 次模拟考试成绩（满分100，%2分及格）")
                                       : QStringLiteral("最近 %1 次模拟考试（%2分及格）");
    p.drawText(QRectF(8, 4, width - 16, 18), Qt::AlignLeft | Qt::AlignVCenter,
               title.arg(m_scores.size()).arg(m_passMark));

    const QRectF plot(34, 28, width - 44, height - 40);
    p.setPen(QColor(0xb4, 0xc5, 0xd0));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (int mark : {0, 50, 100}) {
        const qreal y = plot.bottom() - plot.height() * mark / 100.0;
        p.drawText(QRectF(0, y - 8, 30, 16), Qt::AlignRight | Qt::AlignVCenter, QString::number(mark));
    }
    if (m_scores.isEmpty()) {
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有考试成绩"));
    } else {
        const int columns = 20;
        const qreal slot = plot.width() / columns;
        for (int i = 0; i < m_scores.size(); ++i) {
            const ScoreRecord &score = m_scores.at(i);
            const qreal h = plot.height() * qBound(0, score.score, 100) / 100.0;
            const QRectF bar(plot.left() + i * slot + slot * 0.18, plot.bottom() - h, slot * 0.64, h);
            p.fillRect(bar, score.passed ? QColor(0x2e, 0x9e, 0x5b) : QColor(0xd6, 0x3c, 0x35));
            p.setPen(QColor(0x4a, 0x62, 0x72));
            p.drawText(QRectF(bar.left() - 6, bar.top() - 15, bar.width() + 12, 14), Qt::AlignCenter,
                       QString::number(score.score));
        }
    }
    const qreal passY = plot.bottom() - plot.height() * m_passMark / 100.0;
    p.setPen(QPen(QColor(0xe8, 0xb0, 0x3c), 1.6, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), passY), QPointF(plot.right(), passY));
}

} // namespace kemuyi
