#include "JetText.h"

#include <QHash>

#include <iconv.h>

#include <cerrno>

namespace kemuyi::jet {

namespace {

// One conversion through an open converter, from its initial state; nullopt on any invalid or
// incomplete input.
std::optional<QByteArray> convertWith(iconv_t cd, const QByteArray &bytes)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out;
    out.resize(bytes.size() * 4 + 16);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    const size_t result = iconv(cd, &in, &inLeft, &dst, &outLeft);
    if (result == size_t(-1) || inLeft != 0)
        return std::nullopt;
    out.truncate(out.size() - int(outLeft));
    return out;
}

std::optional<QByteArray> convert(const QByteArray &bytes, const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    std::optional<QByteArray> out = convertWith(cd, bytes);
    iconv_close(cd);
    return out;
}

bool isValidUtf16(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

std::optional<QString> fromUtf16(const QByteArray &bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    const auto *src = reinterpret_cast<const uchar *>(bytes.constData());
    for (int i = 0; i < text.size(); ++i)
        text[i] = QChar(ushort(src[2 * i] | src[2 * i + 1] << 8));
    if (!isValidUtf16(text))
        return std::nullopt;
    return text;
}

std::optional<QString> uncompress(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    const auto *src = reinterpret_cast<const uchar *>(bytes.constData());
    const int size = bytes.size();
    bool compressed = true;
    for (int i = 2; i < size;) {
        if (src[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            text.append(QChar(ushort(src[i])));
            ++i;
        } else {
            if (i + 1 >= size)
                return std::nullopt; // half a character
            text.append(QChar(ushort(src[i] | src[i + 1] << 8)));
            i += 2;
        }
    }
    if (!isValidUtf16(text))
        return std::nullopt;
    return text;
}

} // namespace

std::optional<QString> decodeJet4Text(const QByteArray &bytes)
{
    if (bytes.size() >= 2 && quint8(bytes.at(0)) == 0xFF && quint8(bytes.at(1)) == 0xFE)
        return uncompress(bytes);
    return fromUtf16(bytes);
}

QByteArray encodeJet4Text(const QString &text, bool compress, int maxCompressedChars)
{
    QByteArray plain;
    plain.reserve(text.size() * 2);
    bool compressible = compress && text.size() <= maxCompressedChars;
    for (const QChar c : text) {
        plain.append(char(c.unicode() & 0xFF));
        plain.append(char(c.unicode() >> 8));
        compressible = compressible && (c.unicode() & 0xFF) != 0;
    }
    if (!compressible)
        return plain;
    QByteArray packed("\xFF\xFE", 2);
    bool narrow = true;
    for (const QChar c : text) {
        const bool wantNarrow = c.unicode() < 0x100;
        if (wantNarrow != narrow) {
            packed.append('\0');
            narrow = wantNarrow;
        }
        packed.append(char(c.unicode() & 0xFF));
        if (!narrow)
            packed.append(char(c.unicode() >> 8));
    }
    return packed.size() < plain.size() ? packed : plain;
}

QByteArray codePageCharset(int codePage)
{
    static const QHash<int, QByteArray> names = {
        {936, "GBK"},       {54936, "GB18030"}, {950, "BIG5"},    {932, "SHIFT_JIS"},
        {949, "CP949"},     {874, "CP874"},     {1250, "CP1250"}, {1251, "CP1251"},
        {1252, "CP1252"},   {1253, "CP1253"},   {1254, "CP1254"}, {1255, "CP1255"},
        {1256, "CP1256"},   {1257, "CP1257"},   {1258, "CP1258"}, {437, "CP437"},
        {850, "CP850"},     {65001, "UTF-8"},
    };
    return names.value(codePage);
}

CharsetDecoder::CharsetDecoder(const QByteArray &charset)
    : m_charset(charset), m_converter(iconv_open("UTF-16LE", charset.constData()))
{
}

CharsetDecoder::~CharsetDecoder()
{
    if (valid())
        iconv_close(iconv_t(m_converter));
}

bool CharsetDecoder::valid() const
{
    return m_converter != reinterpret_cast<void *>(iconv_t(-1));
}

std::optional<QString> CharsetDecoder::decode(const QByteArray &bytes)
{
    if (!valid())
        return std::nullopt;
    const auto utf16 = convertWith(iconv_t(m_converter), bytes);
    if (!utf16)
        return std::nullopt;
    return fromUtf16(*utf16);
}

std::optional<QString> decodeCharset(const QByteArray &bytes, const QByteArray &charset)
{
    return CharsetDecoder(charset).decode(bytes);
}

std::optional<QByteArray> encodeCharset(const QString &text, const QByteArray &charset)
{
    QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return convert(utf16, charset.constData(), "UTF-16LE");
}

} // namespace kemuyi::jet
