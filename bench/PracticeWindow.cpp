#include "PracticeWindow.h"

#include "Benchmarks.h"
#include "Fixtures.h"

#include "app/Unit2.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QWindow>

#include <map>
#include <memory>

namespace kemuyi::bench {

namespace {

std::map<int, std::unique_ptr<TForm2>> &windows()
{
    static std::map<int, std::unique_ptr<TForm2>> all;
    return all;
}

bool waitUntilExposed(TForm2 &form)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (form.windowHandle() && form.windowHandle()->isExposed())
            return true;
    }
    return false;
}

std::unique_ptr<TForm2> openWindow(int questions)
{
    useAppFolder();
    useTempFolder(bankFolder(questions)); // the window opens TMPDIR's working copy when shown
    auto form = std::make_unique<TForm2>();
    form->Edit1->setText(QStringLiteral("C1C2C3C4"));
    form->show();
    if (!waitUntilExposed(*form))
        return nullptr;
    form->ImgSxlxClick();
    if (form->run().QuestionCount < 1)
        return nullptr;
    settle();
    return form;
}

} // namespace

TForm2 *practiceWindow(int questions)
{
    auto &form = windows()[questions];
    if (!form)
        form = openWindow(questions);
    // AppDir is looked up at every picture load; another benchmark may have moved it.
    useAppFolder();
    return form.get();
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void releaseWindows()
{
    windows().clear();
}

} // namespace kemuyi::bench
