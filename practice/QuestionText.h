#pragma once

#include "bank/Question.h"

#include <QString>

namespace kemuyi {

// The question area's text: CR LF, two spaces, "(n)", one space, the stem; then for each of the
// four options CR LF CR LF, four spaces and its text. True/false questions keep the four (empty)
// option blocks, which leaves blank lines; nothing follows the last option.
QString composeQuestionText(qint32 position, const Question &question);

// The question as it is read aloud: "第n题", the stem with its blank read as a pause, then each
// option that has text, its letter followed by a pause ("A，…").
QString spokenQuestionText(qint32 position, const Question &question);

// The status line restating the choice recorded for a slot; empty for no choice.
QString choiceStatusText(qint32 choice);

QString rightAnswerText(const QString &value);
QString wrongAnswerText(const QString &value);
QString hintText(const QString &answer);

// What the explanation panel shows: `answerLine` when given (the right answer beside the
// learner's), the question's explanation (解析) and its basis (依据), each as a paragraph. A
// question without an explanation, as in an older or imported bank, shows its basis alone.
QString explanationText(const QString &answerLine, const Question &question);

} // namespace kemuyi
