#include "QuestionText.h"

#include "Judging.h"

namespace kemuyi {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kYourChoice = QStringLiteral(" 您选择的是");

} // namespace

QString composeQuestionText(qint32 position, const Question &question)
{
    QString text = kCrLf + QStringLiteral("  (") + QString::number(position) + QStringLiteral(") ")
                   + question.subject;
    for (const QString *option : {&question.a, &question.b, &question.c, &question.d})
        text += kCrLf + kCrLf + QStringLiteral("    ") + *option;
    return text;
}

QString spokenQuestionText(qint32 position, const Question &question)
{
    QString stem = question.subject.trimmed();
    // A speech engine reads the blank's brackets and ideographic space literally, or not at all.
    stem.replace(QStringLiteral("（　）"), QStringLiteral("，"));
    stem.replace(QStringLiteral("()"), QStringLiteral("，"));
    QString text = QStringLiteral("第%1题。").arg(position) + stem;
    if (!text.endsWith(QChar(u'。')) && !text.endsWith(QChar(u'？')) && !text.endsWith(QChar(u'，')))
        text += QChar(u'。');
    for (const QString *option : {&question.a, &question.b, &question.c, &question.d}) {
        QString spoken = option->trimmed();
        if (spoken.isEmpty())
            continue;
        // "A、…" as written in the bank: the enumeration comma becomes a spoken pause.
        if (spoken.size() > 1 && spoken.at(1) == QChar(u'、'))
            spoken[1] = QChar(u'，');
        text += spoken + (spoken.endsWith(QChar(u'。')) ? QString() : QStringLiteral("。"));
    }
    return text;
}

QString choiceStatusText(qint32 choice)
{
    const QString value = choiceValue(choice);
    return value.isEmpty() ? QString() : kYourChoice + value + QStringLiteral("。");
}

QString rightAnswerText(const QString &value)
{
    return kYourChoice + value + QStringLiteral("。恭喜！您答对了！");
}

QString wrongAnswerText(const QString &value)
{
    return kYourChoice + value + QStringLiteral("。抱歉！您答错了！");
}

QString hintText(const QString &answer)
{
    return QStringLiteral(" 正确的答案应该是：") + answer;
}

QString explanationText(const QString &answerLine, const Question &question)
{
    QStringList paragraphs;
    if (!answerLine.isEmpty())
        paragraphs.append(answerLine);
    if (!question.explain.isEmpty())
        paragraphs.append(QStringLiteral("解析：") + question.explain);
    if (!question.basis.isEmpty())
        paragraphs.append(QStringLiteral("依据：") + question.basis);
    if (question.explain.isEmpty() && question.basis.isEmpty())
        paragraphs.append(QStringLiteral("本题暂无解析和依据。"));
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace kemuyi
