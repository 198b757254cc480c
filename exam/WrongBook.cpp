#include "WrongBook.h"

namespace kemuyi {

namespace {

bool countsAfter(const BookState &state, const Showing &showing, qint64 atMs)
{
    if (state.streak == 0)
        return true;
    if (showing == state.lastRight)
        return false;
    return showing.run != state.lastRight.run || atMs - state.lastRightMs >= kSeparateShowingsMs;
}

} // namespace

BookState afterAnswer(const BookState &state, bool remembered, const Showing &showing, qint64 atMs)
{
    if (!remembered)
        return BookState{true, 0, {}, 0};
    if (!state.inBook || !countsAfter(state, showing, atMs))
        return state;
    if (state.streak + 1 >= kRightInARowToLeave)
        return BookState{};
    return BookState{true, state.streak + 1, showing, atMs};
}

} // namespace kemuyi
