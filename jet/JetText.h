#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kemuyi::jet {

// Jet 4 text: UTF-16LE, or its "compressed" form that starts with FF FE and then switches at
// each zero byte between one byte per character (high byte zero) and two. Characters beyond the
// BMP arrive as surrogate pairs and come out whole. Bytes that are no valid text give nullopt.
std::optional<QString> decodeJet4Text(const QByteArray &bytes);

// The compressed form when it is allowed and shorter (no code unit with a zero low byte, at
// most `maxCompressedChars` code units), otherwise plain UTF-16LE.
QByteArray encodeJet4Text(const QString &text, bool compress, int maxCompressedChars = 1024);

// The iconv name of a Windows code page ("GBK" for 936), empty for one we do not know.
QByteArray codePageCharset(int codePage);

// Decodes text in one single- or double-byte code page. Opening the converter costs far more
// than a field's worth of text, so a reader keeps one for the whole file.
class CharsetDecoder
{
public:
    // A charset iconv does not know gives a decoder that is not valid().
    explicit CharsetDecoder(const QByteArray &charset);
    ~CharsetDecoder();
    CharsetDecoder(const CharsetDecoder &) = delete;
    CharsetDecoder &operator=(const CharsetDecoder &) = delete;

    bool valid() const;
    const QByteArray &charset() const { return m_charset; }
    // Invalid or incomplete sequences give nullopt; each call starts afresh.
    std::optional<QString> decode(const QByteArray &bytes);

private:
    QByteArray m_charset;
    void *m_converter;
};

// Text in a single- or double-byte code page; invalid or incomplete sequences give nullopt.
std::optional<QString> decodeCharset(const QByteArray &bytes, const QByteArray &charset);
// Text that the code page cannot hold gives nullopt.
std::optional<QByteArray> encodeCharset(const QString &text, const QByteArray &charset);

} // namespace kemuyi::jet
