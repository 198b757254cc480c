#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace kemuyi {

// Finds the control under the pointer in one window and, when it differs from the one it
// remembers, tells the window that the pointer left the old control, then that it entered the
// new one. Disabled controls take part; hidden ones do not. While any wait that processes events
// runs (see HoverPause), nothing is swapped; when the last wait ends, every tracker catches up
// with where the pointer last was.
class HoverTracker : public QObject
{
    Q_OBJECT

public:
    using Notify = std::function<void(QWidget *control)>;

    HoverTracker(QWidget *window, Notify onEnter, Notify onLeave);
    ~HoverTracker() override;

    // The pointer is at `pos` in window coordinates; outside the window means no control.
    void pointerAt(const QPoint &pos);
    void pointerLeft();

    QWidget *current() const { return m_current; }

    static bool paused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class HoverPause;
    static void pause();
    static void resume();
    void track(QWidget *widget);
    void update();

    QWidget *m_window;
    Notify m_onEnter;
    Notify m_onLeave;
    QPointer<QWidget> m_current;
    QPoint m_lastPos;
    bool m_inside = false;
};

// Holds hover swaps off for as long as it lives (the splash wait, the auto-advance wait).
class HoverPause
{
public:
    HoverPause() { HoverTracker::pause(); }
    ~HoverPause() { HoverTracker::resume(); }
    HoverPause(const HoverPause &) = delete;
    HoverPause &operator=(const HoverPause &) = delete;
};

} // namespace kemuyi
