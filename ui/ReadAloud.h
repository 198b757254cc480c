#pragma once

#include <QString>

namespace kemuyi {

class QuestionReader;

// What the windows share around a QuestionReader.

// The status line's form of the reader's notice (no voice found).
QString readingNotice(const QString &notice);

// What the status line says after the auto-read switch was turned.
QString autoReadStatus(bool on);

// Turns auto-read over and keeps the choice in the learner's settings. Turned on, it reads
// `shownText` (the question on screen, empty for none) at once. Returns the new state.
bool switchAutoRead(QuestionReader &reader, const QString &shownText);

} // namespace kemuyi
