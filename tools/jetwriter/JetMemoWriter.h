#pragma once

#include "JetPageFiller.h"
#include "JetPageFormat.h"

#include <QByteArray>
#include <QVector>

namespace kemuyi::jet {

// Places memos: short ones in the row itself, longer ones in a row of a long-value page, the
// longest in a chain of such rows, each on a page of its own.
class MemoWriter
{
public:
    MemoWriter(const PageFormat &format, QVector<QByteArray> &pages, int inlineBytes);

    // The 12 bytes the row keeps (followed by the data itself when it stays in the row).
    QByteArray field(const QByteArray &data);

private:
    PageFormat m_format;
    QVector<QByteArray> &m_pages;
    int m_inlineBytes;
    PageFiller m_lval;
};

} // namespace kemuyi::jet
