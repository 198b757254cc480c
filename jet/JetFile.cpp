#include "JetFile.h"

#include "JetHeader.h"
#include "JetText.h"
#include "bank/BankFormat.h"
#include "common/Failure.h"

namespace kemuyi::jet {

namespace {

// A database "encoded" in Access scrambles every page with a key kept in the header.
bool isEncoded(QByteArray header, bool jet4)
{
    scrambleJetHeader(header, jet4);
    return header.mid(0x3E, 4) != QByteArray(4, '\0');
}

} // namespace

JetFile::JetFile(const QByteArray &file, const JetReadOptions &options) : bytes(file)
{
    const BankFormat format = detectBankFormat(file.left(kBankFormatHeadSize));
    if (format == BankFormat::Accdb)
        throw Failure(QStringLiteral("这是 Access 2007 及以后的 .accdb 格式，不受支持；请在 Access 中另存为 2002-2003 格式（.mdb）"));
    if (!isJetFormat(format))
        throw Failure(QStringLiteral("不是 Jet（Access .mdb）数据库文件"));
    jet4 = format == BankFormat::Jet4;
    pageSize = jet4 ? 4096 : 2048;
    pageCount = file.size() / pageSize;
    if (pageCount < 3)
        throw Failure(QStringLiteral("文件只有 %1 字节，不是完整的 Jet 数据库").arg(file.size()));
    if (!jet4) {
        QByteArray charset = options.charset;
        if (charset.isEmpty()) {
            const int codePage = jet3CodePage(file.left(pageSize));
            charset = codePage == 0 ? QByteArray("GBK") : codePageCharset(codePage);
            if (charset.isEmpty())
                throw Failure(QStringLiteral("文件头中的代码页 %1 无法识别，请用 --charset 指定文本编码").arg(codePage));
        }
        text = std::make_unique<CharsetDecoder>(charset);
        if (!text->valid())
            throw Failure(QStringLiteral("不认识的文本编码 %1").arg(QString::fromLatin1(charset)));
    }
    if (isEncoded(file.left(pageSize), jet4))
        throw Failure(QStringLiteral("数据库经过编码（加密），无法读取；请在 Access 中解除编码后再试"));
    mdb.reset(mdb_open_buffer(bytes.data(), size_t(bytes.size()), MDB_NOFLAGS));
    if (!mdb)
        throw Failure(QStringLiteral("Jet 文件头无法读取"));
}

} // namespace kemuyi::jet
