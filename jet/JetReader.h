#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace kemuyi::jet {

// The columns of TK after ID, in the order the working copy holds them.
enum TextColumn { Type, Subject, A, B, C, D, Pic, Select, Answer, TextColumnCount };
const char *textColumnName(int column);

struct JetQuestion
{
    qint64 id = 0;
    std::array<std::optional<QString>, TextColumnCount> texts; // nullopt is NULL
};

struct JetReadOptions
{
    // Jet 3 text encoding (an iconv name) instead of the code page the header names; GBK when
    // the header names none.
    QByteArray charset;
};

// Reads table TK from the bytes of a Jet 3 or Jet 4 file and hands over its rows in file order.
// Anything the program could not rely on (not a Jet file, no TK, a missing column, an ID that
// is no integer, damaged pages, text that does not decode) is a Failure with the reason in
// Chinese. Other tables and columns are ignored.
void readJetQuestions(const QByteArray &file, const JetReadOptions &options,
                      const std::function<void(const JetQuestion &)> &visit);

} // namespace kemuyi::jet
