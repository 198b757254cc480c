#include "FailureReport.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace kemuyi {

namespace {

void showFailureBox(const QString &caption, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok);
    box.exec();
}

FailureReporter &currentReporter()
{
    static FailureReporter reporter;
    return reporter;
}

} // namespace

FailureReporter setFailureReporter(FailureReporter reporter)
{
    FailureReporter previous = std::move(currentReporter());
    currentReporter() = std::move(reporter);
    return previous;
}

QString failureText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void reportFailure(const QString &message)
{
    const QString caption = QGuiApplication::applicationDisplayName();
    const QString text = failureText(message);
    if (currentReporter())
        currentReporter()(caption, text);
    else
        showFailureBox(caption, text);
}

} // namespace kemuyi
