#include "ReadAloud.h"

#include "LearnerSettings.h"
#include "Speech.h"

namespace kemuyi {

QString readingNotice(const QString &notice)
{
    return QStringLiteral(" %1。").arg(notice);
}

QString autoReadStatus(bool on)
{
    return on ? QStringLiteral(" 自动朗读已打开：每道新题显示时读出（Y键关闭）。")
              : QStringLiteral(" 自动朗读已关闭（Y键打开）。");
}

bool switchAutoRead(QuestionReader &reader, const QString &shownText)
{
    const bool on = !reader.autoRead();
    reader.setAutoRead(on);
    saveAutoRead(on);
    if (on && !shownText.isEmpty())
        reader.questionShown(shownText);
    return on;
}

} // namespace kemuyi
