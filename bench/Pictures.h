#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace kemuyi::bench {

// A photograph stand-in: smooth shading, soft-edged shapes and fine grain, so the JPEG carries
// the high-frequency detail a real photo does (a flat colour would decode unrealistically fast).
QImage photoImage(int width, int height, quint32 seed);

// Flat-colour artwork with anti-aliased edges and a caption, like our buttons and illustrations.
QImage drawnImage(int width, int height, quint32 seed, const QString &caption = {});

// Every picture the practice window loads, written beside the "executable" in `appDir`.
void writeWindowPictures(const QString &appDir);

// Illustrations of about 300 × 120 under `appDir`/pic/; returns their pic names.
QStringList writeIllustrations(const QString &appDir, int count);

} // namespace kemuyi::bench
