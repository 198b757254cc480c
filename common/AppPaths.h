#pragma once

#include <QString>

namespace kemuyi {

// The executable's directory with a trailing separator, rebuilt at every call so that
// nothing caches a stale location.
QString AppDir();

// Tests point AppDir at a fixture folder; an empty string restores the executable's folder.
void setAppDirOverride(const QString &dir);

// The user's own temporary directory with a trailing separator: TMPDIR when it is set; otherwise
// a private folder of this user's (mode 0700) in $XDG_RUNTIME_DIR or the system's temporary
// folder, made when missing. A TMPDIR that names no folder is a Failure: Qt would answer with an
// empty path, which would put the working copy at the root of the file system.
QString GetTempDirectory();

// Asset names are matched without regard to letter case, since the program names one file in
// two spellings: "Checked.jpg" finds "checked.jpg". Returns the path as given when it exists or
// when no case-insensitive match exists either.
QString resolveAssetPath(const QString &path);

} // namespace kemuyi
