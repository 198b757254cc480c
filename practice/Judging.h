#pragma once

#include "PracticeRun.h"

#include <QString>

namespace kemuyi {

// One of the six answer buttons: the choice it records, the question kind it fits ("select")
// and the value compared with the bank's answer.
struct AnswerKey
{
    RunButton button;
    qint32 choice;
    const char *kind;
    QString value;
};

const AnswerKey &answerKey(RunButton button);
// The answer value a recorded choice stands for ("A" … "D", "正确", "错误"); empty for none.
QString choiceValue(qint32 choice);
// The choice that answers a question of kind `select` ("Y" single choice, "N" true/false) whose
// bank answer is `answer`; ChoiceNone when no button can answer it.
qint32 choiceFor(const QString &select, const QString &answer);

enum class Verdict { NotJudged, Right, Wrong };

// Records the choice in the current slot first, then judges it against the current record,
// but only when the key fits the question's kind and its button is enabled. Does nothing at all
// unless a run is active.
Verdict recordAnswer(PracticeRun &run, const BankStore &bank, const AnswerKey &key, bool buttonEnabled);

} // namespace kemuyi
