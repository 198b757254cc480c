#include "WrongBook.h"

namespace kemuyi {

BookState afterAnswer(BookState state, bool right)
{
    if (!right)
        return BookState{true, 0};
    if (!state.inBook)
        return state;
    if (state.streak + 1 >= kRightInARowToLeave)
        return BookState{false, 0};
    return BookState{true, state.streak + 1};
}

} // namespace kemuyi
