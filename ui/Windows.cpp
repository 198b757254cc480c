#include "Windows.h"

#include "ImageButton.h"
#include "InterfaceScale.h"

#include "common/AppPaths.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace kemuyi {

namespace {

// Draws the window at the learner's size whenever it is shown, before it reaches the screen.
class ScaleOnShow : public QObject
{
public:
    explicit ScaleOnShow(QWidget &window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !event->spontaneous())
            applyInterfaceScale(m_window);
        return false;
    }

private:
    QWidget &m_window;
};

// Half of `value`, rounded down also when the window is larger than the screen.
int halfRoundedDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

class KeyPreview : public QObject
{
public:
    explicit KeyPreview(QWidget &window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || watched == &m_window)
            return false;
        QCoreApplication::sendEvent(&m_window, event);
        return true;
    }

private:
    QWidget &m_window;
};

} // namespace

void setUpFixedWindow(QWidget &window, int width, int height)
{
    window.setWindowFlag(Qt::FramelessWindowHint, true);
    window.setFixedSize(width, height);
    window.setBackgroundRole(QPalette::Button);
    window.setAutoFillBackground(true);
    window.installEventFilter(new ScaleOnShow(window));
    centerOnScreen(window);
}

void centerOnScreen(QWidget &window)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The whole screen, not the work area; the odd pixel goes to the right and bottom.
    const QRect area = screen->geometry();
    window.move(area.x() + halfRoundedDown(area.width() - window.width()),
                area.y() + halfRoundedDown(area.height() - window.height()));
}

void returnKeyboardTo(QWidget &window)
{
    if (!window.isVisible())
        return;
    window.raise();
    window.activateWindow();
}

void previewKeys(QWidget &window)
{
    auto *preview = new KeyPreview(window);
    for (QWidget *child : window.findChildren<QWidget *>())
        child->installEventFilter(preview);
}

void loadWindowPictures(QWidget &window, PictureHolder &background, const QString &backgroundFile)
{
    QStringList problems;
    const auto load = [&problems](PictureHolder &holder, const QString &file) {
        try {
            LoadPicture(holder, AppDir() + file);
        } catch (const Failure &failure) {
            problems.append(failure.message());
        }
    };
    load(background, backgroundFile);
    for (ImageButton *button : window.findChildren<ImageButton *>())
        load(*button, button->normalFile());
    if (!problems.isEmpty())
        throw Failure(problems.join(QLatin1Char('\n')));
}

} // namespace kemuyi
