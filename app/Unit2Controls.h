#pragma once

#include "Unit2.h"

namespace kemuyi {

// The window's picture buttons with their click handlers, in the order their pictures load: a
// picture that fails to load stops the loading there.
struct ButtonRole
{
    ImageButton *TForm2::*button;
    void (TForm2::*click)();
};
inline constexpr ButtonRole kButtons[] = {
    {&TForm2::ImgA, &TForm2::ImgAClick},       {&TForm2::ImgB, &TForm2::ImgBClick},
    {&TForm2::ImgC, &TForm2::ImgCClick},       {&TForm2::ImgD, &TForm2::ImgDClick},
    {&TForm2::ImgDui, &TForm2::ImgDuiClick},   {&TForm2::ImgCuo, &TForm2::ImgCuoClick},
    {&TForm2::ImgPrev, &TForm2::ImgPrevClick}, {&TForm2::ImgNext, &TForm2::ImgNextClick},
    {&TForm2::ImgHelp, &TForm2::ImgHelpClick}, {&TForm2::ImgChk, &TForm2::ImgChkClick},
    {&TForm2::ImgSxlx, &TForm2::ImgSxlxClick}, {&TForm2::ImgJqlx, &TForm2::ImgJqlxClick},
    {&TForm2::ImgExit, &TForm2::ImgExitClick},
};

} // namespace kemuyi
