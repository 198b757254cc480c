#pragma once

#include <QTimer>
#include <QWidget>

namespace kemuyi {

class PictureBox;

// The splash shown while the working windows are created. It agrees to close only once its
// timer has fired.
class TSplashScreen : public QWidget
{
    Q_OBJECT

public:
    explicit TSplashScreen(int intervalMs = 3000, QWidget *parent = nullptr);

    PictureBox *Image1 = nullptr;
    QTimer *Timer1 = nullptr;

    bool timerFired() const { return !Timer1->isActive(); }

    void FormCreate();
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace kemuyi
