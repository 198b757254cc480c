#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace kemuyi {

// Shows a failure to the learner. The default shows a critical message box with an OK button;
// tests install their own so that nothing blocks on a box.
using FailureReporter = std::function<void(const QString &caption, const QString &message)>;

// Installs a reporter; an empty one restores the message box. Returns the previous one.
FailureReporter setFailureReporter(FailureReporter reporter);

// The message as the learner reads it, closed as a sentence: a full stop is appended when its
// last character sorts after "." and is no punctuation mark of its own ("。", "！", "）" …).
// The stop is "。" for a message in Chinese, "." otherwise. So the program's messages are
// written without a closing stop and all end alike in the box.
QString failureText(const QString &message);

// Reports with the application's display name as the caption.
void reportFailure(const QString &message);

// Runs one event handler; a failure ends the handler at the failing step and is reported here,
// at the event's boundary, and the program carries on. Returns whether the handler completed.
template <typename Handler>
bool guardEvent(Handler &&handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        reportFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("未知错误"));
    }
    return false;
}

} // namespace kemuyi
