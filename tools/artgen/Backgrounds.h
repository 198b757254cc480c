#pragma once

#include <QImage>

namespace artgen {

QImage drawLogo();               // splash, 440 × 300 (only the top-left 432 × 293 is shown)
QImage drawMenuBackground();     // bground1, 690 × 450
QImage drawPracticeBackground(); // bground2, 690 × 450

} // namespace artgen
