#include "Judging.h"

#include "bank/BankStore.h"

#include <stdexcept>

namespace kemuyi {

namespace {

using AnswerKeys = AnswerKey[6];

const AnswerKeys &answerKeys()
{
    static const AnswerKeys keys = {
        {RunButton::A, ChoiceA, "Y", QStringLiteral("A")},
        {RunButton::B, ChoiceB, "Y", QStringLiteral("B")},
        {RunButton::C, ChoiceC, "Y", QStringLiteral("C")},
        {RunButton::D, ChoiceD, "Y", QStringLiteral("D")},
        {RunButton::Dui, ChoiceTrue, "N", QStringLiteral("正确")},
        {RunButton::Cuo, ChoiceFalse, "N", QStringLiteral("错误")},
    };
    return keys;
}

} // namespace

const AnswerKey &answerKey(RunButton button)
{
    for (const AnswerKey &key : answerKeys()) {
        if (key.button == button)
            return key;
    }
    throw std::invalid_argument("not an answer button");
}

QString choiceValue(qint32 choice)
{
    for (const AnswerKey &key : answerKeys()) {
        if (key.choice == choice)
            return key.value;
    }
    return QString();
}

qint32 choiceFor(const QString &select, const QString &answer)
{
    for (const AnswerKey &key : answerKeys()) {
        if (select == QLatin1String(key.kind) && answer == key.value)
            return key.choice;
    }
    return ChoiceNone;
}

Verdict recordAnswer(PracticeRun &run, const BankStore &bank, const AnswerKey &key, bool buttonEnabled)
{
    if (!run.isActive())
        return Verdict::NotJudged;
    run.currentEntry().Choice = key.choice;
    if (bank.CurrentQuestion({Column::Select}).select != QLatin1String(key.kind) || !buttonEnabled)
        return Verdict::NotJudged;
    return bank.CurrentQuestion({Column::Answer}).answer == key.value ? Verdict::Right : Verdict::Wrong;
}

} // namespace kemuyi
