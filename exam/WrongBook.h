#pragma once

namespace kemuyi {

// One question's place in the wrong-question book.
struct BookState
{
    bool inBook = false;
    // Right answers in a row since it last went wrong.
    int streak = 0;
};

// How many right answers in a row take a question out of the book.
constexpr int kRightInARowToLeave = 2;

// A wrong answer puts the question in the book (or back to the start of its streak); a right
// answer to a question in the book counts towards leaving it; a right answer to a question not
// in the book changes nothing.
BookState afterAnswer(BookState state, bool right);

} // namespace kemuyi
