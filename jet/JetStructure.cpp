#include "JetStructure.h"

#include "JetBytes.h"
#include "common/Failure.h"

namespace kemuyi::jet {

namespace {

class Pages
{
public:
    Pages(const QByteArray &file, bool jet4)
        : m_file(file), m_jet4(jet4), m_pageSize(jet4 ? 4096 : 2048), m_pageCount(file.size() / m_pageSize)
    {
    }

    void checkTableDefinition(quint32 page, const QString &name) const;

private:
    void checkUsageMap(quint32 pageRow, const QString &name) const;
    const unsigned char *rawPage(quint32 page) const;

    const QByteArray &m_file;
    bool m_jet4;
    int m_pageSize;
    qint64 m_pageCount;
};

void Pages::checkTableDefinition(quint32 page, const QString &name) const
{
    const unsigned char *first = rawPage(page);
    if (!first || first[0] != 0x02)
        throw Failure(QStringLiteral("表 %1 的定义页（第 %2 页）已损坏").arg(name).arg(page));
    quint32 next = get32(first, 4);
    for (qint64 chained = 0; next != 0; ++chained) {
        const unsigned char *more = rawPage(next);
        if (!more || more[0] != 0x02 || chained > m_pageCount)
            throw Failure(QStringLiteral("表 %1 的定义续页（第 %2 页）已损坏").arg(name).arg(next));
        next = get32(more, 4);
    }
    const int usageAt = m_jet4 ? 55 : 35;
    checkUsageMap(get32(first, usageAt), name);
    checkUsageMap(get32(first, usageAt + 4), name);
}

void Pages::checkUsageMap(quint32 pageRow, const QString &name) const
{
    const auto damaged = [&] {
        return Failure(QStringLiteral("表 %1 的页面用量表已损坏").arg(name));
    };
    const unsigned char *page = rawPage(pageRow >> 8);
    const int row = int(pageRow & 0xFF);
    const int countAt = m_jet4 ? 12 : 8;
    if (!page || page[0] != 0x01)
        throw damaged();
    const int rows = get16(page, countAt);
    if (row >= rows || countAt + 2 + 2 * rows > m_pageSize)
        throw damaged();
    const quint16 rawStart = get16(page, countAt + 2 + 2 * row);
    const quint16 rawEnd = row == 0 ? quint16(m_pageSize) : get16(page, countAt + 2 * row);
    const int start = rawStart & kOffsetMask;
    const int end = rawEnd & kOffsetMask; // the row before may carry deleted or overflow flags
    if ((rawStart & ~kOffsetMask) || start < countAt + 2 + 2 * rows || end > m_pageSize || end - start < 5)
        throw damaged();
    // A page the map claims beyond the end of the file: the file has lost its tail.
    const auto checkBits = [&](const unsigned char *bits, int bytes, qint64 firstPage) {
        for (int i = bytes - 1; i >= 0; --i) {
            if (!bits[i])
                continue;
            int bit = 7;
            while (!(bits[i] & (1 << bit)))
                --bit;
            if (firstPage + 8 * i + bit >= m_pageCount)
                throw Failure(QStringLiteral("表 %1 的数据页超出了文件（文件可能不完整）").arg(name));
            return;
        }
    };
    if (page[start] == 0) { // the bitmap lies in the record itself
        checkBits(page + start + 5, end - start - 5, get32(page, start + 1));
        return;
    }
    if (page[start] != 1)
        throw damaged();
    const int pagesPerBitmap = (m_pageSize - 4) * 8;
    for (int at = start + 1; at + 4 <= end; at += 4) {
        const quint32 mapPage = get32(page, at);
        if (mapPage == 0)
            continue;
        const unsigned char *bitmap = rawPage(mapPage);
        if (!bitmap || bitmap[0] != 0x05)
            throw Failure(QStringLiteral("表 %1 的页面用量表指向的第 %2 页超出了文件或已损坏").arg(name).arg(mapPage));
        checkBits(bitmap + 4, m_pageSize - 4, qint64((at - start - 1) / 4) * pagesPerBitmap);
    }
}

const unsigned char *Pages::rawPage(quint32 page) const
{
    if (page == 0 || qint64(page) >= m_pageCount)
        return nullptr;
    return reinterpret_cast<const unsigned char *>(m_file.constData()) + qint64(page) * m_pageSize;
}

} // namespace

void checkTableDefinition(const QByteArray &file, bool jet4, quint32 page, const QString &table)
{
    Pages(file, jet4).checkTableDefinition(page, table);
}

} // namespace kemuyi::jet
