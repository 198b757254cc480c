#pragma once

#include <QtGlobal>

namespace kemuyi {

// Where one judged answer was given: a run (a practice run, a drill, an exam sitting) and the
// showing of the question within it. Two answers on one showing are one answer to the book and
// to the memory model.
struct Showing
{
    qint64 run = 0;
    int number = 0;
    bool operator==(const Showing &other) const { return run == other.run && number == other.number; }
    bool operator!=(const Showing &other) const { return !(*this == other); }
};

// One question's place in the wrong-question book.
struct BookState
{
    bool inBook = false;
    // Right answers in a row that count since it last went wrong (0 or 1 while in the book).
    int streak = 0;
    // The right answer the streak counts from.
    Showing lastRight;
    qint64 lastRightMs = 0;
};

// How many right answers in a row take a question out of the book.
constexpr int kRightInARowToLeave = 2;
// Two right answers in one run count as two only this far apart; an answer still in short-term
// memory says little about whether the question is known.
constexpr qint64 kSeparateShowingsMs = 60LL * 60 * 1000;

// A forgotten answer (wrong, or helped by the hint) puts the question in the book, or back to the
// start of its streak. A right answer to a question in the book counts towards leaving it when it
// comes on another showing than the right answer before it, in another run or at least an hour
// later; a right answer that does not count leaves the streak as it was. A right answer to a
// question not in the book changes nothing.
BookState afterAnswer(const BookState &state, bool remembered, const Showing &showing, qint64 atMs);

} // namespace kemuyi
