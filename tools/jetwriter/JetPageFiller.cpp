#include "JetPageFiller.h"

#include "common/Failure.h"

namespace kemuyi::jet {

PageFiller::PageFiller(const PageFormat &format, QVector<QByteArray> &pages, quint32 owner)
    : m_format(format), m_pages(pages), m_owner(owner)
{
}

quint32 PageFiller::add(const QByteArray &row, QVector<int> *newPages)
{
    if (row.size() > capacity(m_format))
        throw Failure(QStringLiteral("一行数据有 %1 字节，放不进一页").arg(row.size()));
    if (m_page < 0 || m_rows >= 255
        || m_format.dataHeader + 2 * (m_rows + 1) > m_nextStart - row.size()) {
        startPage();
        if (newPages)
            newPages->append(m_page);
    }
    QByteArray &page = m_pages[m_page];
    m_nextStart -= row.size();
    page.replace(m_nextStart, row.size(), row);
    put16(page, m_format.rowCountOffset + 2 + 2 * m_rows, quint32(m_nextStart));
    ++m_rows;
    put16(page, m_format.rowCountOffset, quint32(m_rows));
    put16(page, 2, quint32(m_nextStart - m_format.dataHeader - 2 * m_rows));
    return pageRow(m_page, m_rows - 1);
}

void PageFiller::startAt(int pageNumber)
{
    m_page = pageNumber;
    initialise();
}

void PageFiller::startPage()
{
    m_pages.append(QByteArray(m_format.pageSize, '\0'));
    m_page = m_pages.size() - 1;
    initialise();
}

void PageFiller::initialise()
{
    QByteArray &page = m_pages[m_page];
    page.fill('\0');
    page[0] = 0x01;
    page[1] = 0x01;
    put32(page, 4, m_owner);
    m_rows = 0;
    m_nextStart = m_format.pageSize;
}

} // namespace kemuyi::jet
