#pragma once

#include <QByteArray>
#include <QString>

namespace kemuyi {

// What a bank file is, told by its first bytes, never by its name.
enum class BankFormat { Unknown, Sqlite, Jet3, Jet4, Accdb };

// Enough of the file's start to tell every format apart.
constexpr int kBankFormatHeadSize = 32;

BankFormat detectBankFormat(const QByteArray &head);
// Reads the head of the file; a file that cannot be read is Unknown.
BankFormat detectBankFormatOfFile(const QString &path);

inline bool isJetFormat(BankFormat format)
{
    return format == BankFormat::Jet3 || format == BankFormat::Jet4;
}

} // namespace kemuyi
