#include "StudyCharts.h"

#include "bank/Topics.h"
#include "ui/InterfaceScale.h"

#include <QPainter>

#include <algorithm>

namespace kemuyi {

namespace {

const QColor kInk(0x1f, 0x3a, 0x4d);
const QColor kAxis(0xb4, 0xc5, 0xd0);
const QColor kLabel(0x4a, 0x62, 0x72);
const QColor kGood(0x2e, 0x9e, 0x5b);
const QColor kWeak(0xd6, 0x3c, 0x35);
const QColor kBar(0x3b, 0x7d, 0xb8);
constexpr int kCaptionHeight = 18;

QFont chartFont(const QWidget &chart, int pixels)
{
    QFont font = chart.font();
    font.setPixelSize(pixels);
    return font;
}

// The chart on white with its caption, drawn in the program's pixels so that it grows with its
// window, text included; returns its size in them.
QSizeF drawFrame(QPainter &p, const QWidget &chart, const QString &caption)
{
    const QSizeF area = paintInDesignPixels(p, chart);
    p.fillRect(QRectF(QPointF(0, 0), area), Qt::white);
    p.setFont(chartFont(chart, 13));
    p.setPen(kInk);
    p.drawText(QRectF(6, 2, area.width() - 12, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter, caption);
    return area;
}

} // namespace

QString shareText(int right, int answers)
{
    return answers > 0 ? QStringLiteral("%1%").arg(right * 100 / answers) : QStringLiteral("—");
}

TopicChart::TopicChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TopicChart::setTopics(const QVector<TopicShare> &topics)
{
    m_topics = topics;
    QStringList spoken;
    for (const TopicShare &topic : topics)
        spoken.append(topicLabel(topic.topic) + QLatin1Char(' ') + shareText(topic.right, topic.answers));
    setAccessibleDescription(topics.isEmpty() ? QStringLiteral("题库未分专项")
                                              : QStringLiteral("各专项答对率：") + spoken.join(QStringLiteral("，")));
    update();
}

QFont TopicChart::nameFont() const
{
    return chartFont(*this, 11);
}

int TopicChart::nameWidth() const
{
    const QFontMetrics metrics(nameFont());
    int widest = 0;
    for (const TopicShare &topic : m_topics)
        widest = qMax(widest, metrics.horizontalAdvance(topicLabel(topic.topic)));
    return qMin(widest + 2, int(width() / appliedScale(*this)) / 3);
}

void TopicChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QSizeF area = drawFrame(p, *this, QStringLiteral("各专项答对率"));
    if (m_topics.isEmpty()) {
        p.drawText(QRectF(0, kCaptionHeight, area.width(), area.height() - kCaptionHeight), Qt::AlignCenter,
                   QStringLiteral("题库未分专项"));
        return;
    }
    p.setFont(nameFont());
    const int top = kCaptionHeight + 4;
    const qreal row = (area.height() - top - 2) / m_topics.size();
    const int nameWidth = this->nameWidth();
    const int valueWidth = 92;
    const QRectF plot(nameWidth + 4, top, area.width() - nameWidth - valueWidth - 10, area.height() - top - 2);
    for (int i = 0; i < m_topics.size(); ++i) {
        const TopicShare &topic = m_topics.at(i);
        const QRectF line(0, top + i * row, area.width(), row);
        p.setPen(kLabel);
        p.drawText(QRectF(4, line.top(), nameWidth, row), Qt::AlignRight | Qt::AlignVCenter, topicLabel(topic.topic));
        p.fillRect(QRectF(plot.left(), line.top() + row * 0.2, plot.width(), row * 0.6), QColor(0xee, 0xf2, 0xf5));
        if (topic.answers > 0) {
            const qreal share = qreal(topic.right) / topic.answers;
            p.fillRect(QRectF(plot.left(), line.top() + row * 0.2, plot.width() * share, row * 0.6),
                       share >= 0.9 ? kGood : kWeak);
        }
        p.setPen(kLabel);
        p.drawText(QRectF(plot.right() + 4, line.top(), valueWidth, row), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1（%2次）").arg(shareText(topic.right, topic.answers)).arg(topic.answers));
    }
    // The pass mark's share: a topic under it costs points in the exam.
    const qreal passX = plot.left() + plot.width() * 0.9;
    p.setPen(QPen(QColor(0xe8, 0xb0, 0x3c), 1.4, Qt::DashLine));
    p.drawLine(QPointF(passX, plot.top()), QPointF(passX, plot.bottom()));
}

DayChart::DayChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DayChart::setDays(const QVector<DayTally> &days, int streakDays)
{
    m_days = days;
    m_streak = streakDays;
    int total = 0;
    for (const DayTally &day : days)
        total += day.answers;
    setAccessibleDescription(QStringLiteral("最近 %1 天共作答 %2 次，已连续学习 %3 天").arg(days.size()).arg(total).arg(streakDays));
    update();
}

void DayChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QSizeF area =
        drawFrame(p, *this, QStringLiteral("最近 %1 天每天作答（连续 %2 天）").arg(m_days.size()).arg(m_streak));
    int most = 1;
    for (const DayTally &day : std::as_const(m_days))
        most = std::max(most, day.answers);
    p.setFont(chartFont(*this, 11));
    const QRectF plot(30, kCaptionHeight + 8, area.width() - 36, area.height() - kCaptionHeight - 12);
    p.setPen(kAxis);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawText(QRectF(0, plot.top() - 6, 28, 12), Qt::AlignRight | Qt::AlignVCenter, QString::number(most));
    p.drawText(QRectF(0, plot.bottom() - 6, 28, 12), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    if (m_days.isEmpty())
        return;
    const qreal slot = plot.width() / m_days.size();
    for (int i = 0; i < m_days.size(); ++i) {
        const DayTally &day = m_days.at(i);
        const qreal h = plot.height() * day.answers / most;
        p.fillRect(QRectF(plot.left() + i * slot + slot * 0.15, plot.bottom() - h, slot * 0.7, h), kBar);
    }
}

} // namespace kemuyi
