#include "FailureReport.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <algorithm>

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

namespace {

bool isChinese(const QString &message)
{
    return std::any_of(message.begin(), message.end(), [](QChar c) { return c.script() == QChar::Script_Han; });
}

} // namespace

QString failureText(const QString &message)
{
    if (message.isEmpty())
        return message;
    // Below "." in ASCII lie "!", ")", "," and "." itself; beyond ASCII, "。", "！", "）", "”"
    // and the like: each already closes the text.
    const QChar last = message.back();
    const bool closed = last.unicode() < 0x80 ? last <= QLatin1Char('.') : last.isPunct();
    if (closed)
        return message;
    return message + (isChinese(message) ? QStringLiteral("。") : QStringLiteral("."));
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
