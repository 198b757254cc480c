#pragma once

#include "JetWriter.h"

#include <QByteArray>
#include <QString>

namespace kemuyi::jet {

// The bytes of a Text or Memo field: UTF-16LE (compressed where allowed) in Jet 4, the code
// page's encoding in Jet 3.
class TextEncoder
{
public:
    TextEncoder(const JetWriteOptions &options, bool jet4);

    // Text longer than a Text column holds, or outside the code page, is a Failure.
    QByteArray encode(const QString &text, const JetColumn &column, bool memo) const;

private:
    bool m_jet4;
    bool m_compress;
    QByteArray m_charset;
};

} // namespace kemuyi::jet
