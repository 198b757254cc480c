#include "HoverTracker.h"

#include <QEnterEvent>
#include <QMouseEvent>

#include <vector>

namespace kemuyi {

namespace {

int &pauseDepth()
{
    static int depth = 0;
    return depth;
}

std::vector<HoverTracker *> &trackers()
{
    static std::vector<HoverTracker *> all;
    return all;
}

} // namespace

HoverTracker::HoverTracker(QWidget *window, Notify onEnter, Notify onLeave)
    : QObject(window), m_window(window), m_onEnter(std::move(onEnter)), m_onLeave(std::move(onLeave))
{
    track(window);
    for (QWidget *child : window->findChildren<QWidget *>())
        track(child);
    trackers().push_back(this);
}

HoverTracker::~HoverTracker()
{
    auto &all = trackers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void HoverTracker::track(QWidget *widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool HoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        pointerAt(widget->mapTo(m_window, mouse->position().toPoint()));
        break;
    }
    case QEvent::Enter: {
        const auto *enter = static_cast<QEnterEvent *>(event);
        pointerAt(widget->mapTo(m_window, enter->position().toPoint()));
        break;
    }
    case QEvent::Leave:
        if (widget == m_window)
            pointerLeft();
        break;
    default:
        break;
    }
    return false;
}

void HoverTracker::pointerAt(const QPoint &pos)
{
    m_lastPos = pos;
    m_inside = m_window->rect().contains(pos);
    update();
}

void HoverTracker::pointerLeft()
{
    m_inside = false;
    update();
}

void HoverTracker::update()
{
    if (paused())
        return;
    QWidget *under = nullptr;
    if (m_inside && m_window->isVisible()) {
        under = m_window->childAt(m_lastPos);
    }
    if (under == m_current)
        return;
    QWidget *old = m_current;
    m_current = under;
    if (old)
        m_onLeave(old);
    if (under)
        m_onEnter(under);
}

bool HoverTracker::paused()
{
    return pauseDepth() > 0;
}

void HoverTracker::pause()
{
    ++pauseDepth();
}

void HoverTracker::resume()
{
    if (--pauseDepth() > 0)
        return;
    // Copy: a notification may create or destroy a tracker.
    const std::vector<HoverTracker *> all = trackers();
    for (HoverTracker *tracker : all)
        tracker->update();
}

} // namespace kemuyi
