#include "BankFormat.h"

#include <QFile>

namespace kemuyi {

namespace {

constexpr int kMagicLength = 16; // with its NUL
constexpr int kJetMagicOffset = 4;
constexpr int kJetVersionOffset = 0x14;

bool hasMagic(const QByteArray &head, int offset, const char *magic)
{
    return head.size() >= offset + kMagicLength && head.mid(offset, kMagicLength) == QByteArray(magic, kMagicLength);
}

} // namespace

BankFormat detectBankFormat(const QByteArray &head)
{
    if (hasMagic(head, 0, "SQLite format 3"))
        return BankFormat::Sqlite;
    const bool jet = hasMagic(head, kJetMagicOffset, "Standard Jet DB");
    const bool ace = hasMagic(head, kJetMagicOffset, "Standard ACE DB");
    if ((!jet && !ace) || head.size() < kJetVersionOffset + 4 || head.at(0) != 0)
        return BankFormat::Unknown;
    if (ace)
        return BankFormat::Accdb;
    switch (quint8(head.at(kJetVersionOffset))) {
    case 0:
        return BankFormat::Jet3;
    case 1:
        return BankFormat::Jet4;
    default:
        return BankFormat::Accdb; // the later versions of the engine behind .accdb
    }
}

BankFormat detectBankFormatOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return BankFormat::Unknown;
    return detectBankFormat(file.read(kBankFormatHeadSize));
}

} // namespace kemuyi
