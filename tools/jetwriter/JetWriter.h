#pragma once

#include "bank/Question.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>
#include <variant>

namespace kemuyi::jet {

// A small writer of Jet 3 and Jet 4 files, enough to make test banks: tables of Long Integer,
// Integer, Text and Memo columns, no indexes. What it writes is read back by independent
// readers in the tests.

enum class JetVersion { Jet3, Jet4 };
enum class JetType : quint8 { Integer = 0x03, Long = 0x04, Text = 0x0A, Ole = 0x0B, Memo = 0x0C };

struct JetColumn
{
    QString name;
    JetType type = JetType::Text;
    int maxChars = 255; // Text only
};

// nullopt is NULL; integers go to Integer and Long columns, text to Text and Memo columns; Ole
// columns hold only NULL.
using JetValue = std::optional<std::variant<qint64, QString>>;

struct JetTable
{
    QString name;
    QVector<JetColumn> columns;
    QVector<QVector<JetValue>> rows;
};

struct JetWriteOptions
{
    JetVersion version = JetVersion::Jet4;
    int codePage = 936;        // Jet 3: the header's code page and the text's encoding; 0 names none (GBK)
    QByteArray charset;        // Jet 3 text encoding when it should differ from the code page's
    bool compressText = true;  // Jet 4: the compressed form wherever it is allowed and shorter
    int inlineMemoBytes = 64;  // longer memos go to pages of their own
};

// The whole file. Text a column cannot hold (too long, or not in the code page) is a Failure.
QByteArray writeJetFile(const QVector<JetTable> &tables, const JetWriteOptions &options);

// Table TK with the columns the program reads: ID Long, subject Memo, the rest Text.
JetTable questionTable(const QVector<Question> &rows);

} // namespace kemuyi::jet
