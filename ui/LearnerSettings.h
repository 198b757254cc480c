#pragma once

#include <QString>

#include <optional>

namespace kemuyi {

// The learner's interface settings, kept between runs in $XDG_CONFIG_HOME/kemuyi/settings (or
// ~/.config/kemuyi/settings), an INI file. A setting that cannot be read counts as never saved;
// one that cannot be written is lost quietly: practice never depends on the file.
QString settingsPath();

// The window size in per cent, if the learner ever chose one that is still offered.
std::optional<int> savedSizePercent();
void saveSizePercent(int percent);
// The size to start with: the saved one, or else the default for the primary screen's width.
int startingSizePercent();

// Whether each new question is read aloud as it is shown (off unless switched on).
bool savedAutoRead();
void saveAutoRead(bool on);

} // namespace kemuyi
