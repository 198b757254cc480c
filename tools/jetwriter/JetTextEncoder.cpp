#include "JetTextEncoder.h"

#include "common/Failure.h"
#include "jet/JetText.h"

namespace kemuyi::jet {

TextEncoder::TextEncoder(const JetWriteOptions &options, bool jet4) : m_jet4(jet4), m_compress(options.compressText)
{
    if (!m_jet4) {
        m_charset = options.charset.isEmpty() ? codePageCharset(options.codePage) : options.charset;
        if (m_charset.isEmpty())
            m_charset = "GBK"; // what a reader assumes when the header names no code page
    }
}

QByteArray TextEncoder::encode(const QString &text, const JetColumn &column, bool memo) const
{
    QByteArray bytes;
    if (m_jet4) {
        if (!memo && text.size() > column.maxChars)
            throw Failure(QStringLiteral("字段 %1 最多 %2 个字符").arg(column.name).arg(column.maxChars));
        bytes = encodeJet4Text(text, m_compress, memo ? 1024 : column.maxChars);
    } else {
        const auto encoded = encodeCharset(text, m_charset);
        if (!encoded)
            throw Failure(QStringLiteral("字段 %1 的文本无法用 %2 编码").arg(column.name, QString::fromLatin1(m_charset)));
        bytes = *encoded;
        if (!memo && bytes.size() > column.maxChars)
            throw Failure(QStringLiteral("字段 %1 最多 %2 字节").arg(column.name).arg(column.maxChars));
    }
    return bytes;
}

} // namespace kemuyi::jet
