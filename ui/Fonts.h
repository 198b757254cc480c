#pragma once

#include <QFont>

namespace kemuyi {

// The windows ask for the fonts of a Chinese Windows desktop ("宋体", "黑体", "华文细黑"). Linux
// lacks them, and without a substitution fontconfig may pick Japanese glyph forms under a C
// locale, so each is mapped to the installed simplified-Chinese Noto face of the same style.
void registerFontSubstitutions();

// A font by family and pixel height, as the windows are laid out in pixels.
QFont pixelFont(const QString &family, int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace kemuyi
