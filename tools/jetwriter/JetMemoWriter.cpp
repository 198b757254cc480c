#include "JetMemoWriter.h"

namespace kemuyi::jet {

namespace {

const quint32 kLvalMarker = 0x4C41564C; // "LVAL"

} // namespace

MemoWriter::MemoWriter(const PageFormat &format, QVector<QByteArray> &pages, int inlineBytes)
    : m_format(format), m_pages(pages), m_inlineBytes(inlineBytes), m_lval(format, pages, kLvalMarker)
{
}

QByteArray MemoWriter::field(const QByteArray &data)
{
    QByteArray field;
    const quint32 length = quint32(data.size());
    if (data.size() <= m_inlineBytes) {
        append32(field, length | 0x80000000u);
        append32(field, 0);
        append32(field, 0);
        return field + data;
    }
    const int chunk = PageFiller::capacity(m_format);
    if (data.size() <= chunk) {
        append32(field, length | 0x40000000u);
        append32(field, m_lval.add(data));
        append32(field, 0);
        return field;
    }
    // A chain: each piece on a page of its own, led by the pointer to the next piece.
    const int piece = chunk - 4;
    const int pieces = (data.size() + piece - 1) / piece;
    const int first = m_pages.size();
    QVector<QByteArray> rows;
    for (int i = 0; i < pieces; ++i) {
        QByteArray row;
        append32(row, i + 1 < pieces ? pageRow(first + i + 1, 0) : 0);
        rows.append(row + data.mid(i * piece, piece));
    }
    PageFiller chain(m_format, m_pages, kLvalMarker);
    for (const QByteArray &row : rows) {
        chain.finishPage();
        chain.add(row);
    }
    append32(field, length);
    append32(field, pageRow(first, 0));
    append32(field, 0);
    return field;
}

} // namespace kemuyi::jet
