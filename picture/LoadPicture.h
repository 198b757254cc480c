#pragma once

#include <QString>

namespace kemuyi {

class PictureHolder;

// Replaces the control's picture with the file's content. An empty name clears the picture and
// is no failure. A missing or unreadable file throws a Failure naming it and leaves the control's
// previous picture in place. Names match without regard to letter case. When the control shows
// pictures enlarged (its pictureScale() above 1) and "name@2x.jpg" lies beside "name.jpg", that
// file is taken instead, as a picture of the same size in the program's pixels.
void LoadPicture(PictureHolder &control, const QString &fileName);

// "dir/name@2x.jpg" for "dir/name.jpg".
QString doubleResolutionName(const QString &fileName);

// Decodes a picture compiled into the program (a window's built-in artwork) with the same
// decoder as the files. Throws a Failure if the resource is missing or damaged.
void LoadBuiltInPicture(PictureHolder &control, const QString &resourceName);

} // namespace kemuyi
