#pragma once

#include <QByteArray>

namespace kemuyi::jet {

// The code page a Jet 3 file names for its text, 0 when it names none. `page` is the file's
// first page (at least 0x18 + 126 bytes); the field lies in the part of the header that is
// scrambled with a fixed key.
quint16 jet3CodePage(const QByteArray &page);

// Places in the first page.
constexpr int kJetVersionOffset = 0x14;
constexpr int kJetCodePageOffset = 0x3C;
constexpr int kJetScrambleStart = 0x18;
int jetScrambledLength(bool jet4);

// Scrambles or unscrambles that part of a first page in place (RC4 with the format's fixed
// key): applying it twice gives the original bytes back.
void scrambleJetHeader(QByteArray &page, bool jet4);

} // namespace kemuyi::jet
