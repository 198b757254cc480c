#include "JetHeader.h"

#include <array>
#include <utility>

namespace kemuyi::jet {

namespace {

void rc4(const std::array<quint8, 4> &key, char *data, int length)
{
    std::array<quint8, 256> state;
    for (int i = 0; i < 256; ++i)
        state[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        data[n] = char(quint8(data[n]) ^ state[(state[i] + state[j]) & 0xFF]);
    }
}

} // namespace

int jetScrambledLength(bool jet4)
{
    return jet4 ? 128 : 126;
}

void scrambleJetHeader(QByteArray &page, bool jet4)
{
    const int length = jetScrambledLength(jet4);
    if (page.size() < kJetScrambleStart + length)
        return;
    rc4({0xC7, 0xDA, 0x39, 0x6B}, page.data() + kJetScrambleStart, length);
}

quint16 jet3CodePage(const QByteArray &page)
{
    QByteArray header = page.left(kJetScrambleStart + jetScrambledLength(false));
    if (header.size() < kJetScrambleStart + jetScrambledLength(false))
        return 0;
    scrambleJetHeader(header, false);
    return quint16(quint8(header.at(kJetCodePageOffset)) | quint8(header.at(kJetCodePageOffset + 1)) << 8);
}

} // namespace kemuyi::jet
