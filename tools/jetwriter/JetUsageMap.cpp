#include "JetUsageMap.h"

#include <algorithm>

namespace kemuyi::jet {

QByteArray usageMap(const PageFormat &format, QVector<QByteArray> &pages, const QVector<int> &dataPages)
{
    const int size = format.mapRecordSize;
    QByteArray map;
    const int firstPage = dataPages.isEmpty() ? 0 : *std::min_element(dataPages.begin(), dataPages.end());
    const int lastPage = dataPages.isEmpty() ? 0 : *std::max_element(dataPages.begin(), dataPages.end());
    if (lastPage - firstPage < (size - 5) * 8) {
        map = QByteArray(size, '\0');
        put32(map, 1, quint32(firstPage));
        for (const int page : dataPages)
            map[5 + (page - firstPage) / 8] = char(map.at(5 + (page - firstPage) / 8) | 1 << ((page - firstPage) % 8));
        return map;
    }
    // Too wide for one record: the record lists bitmap pages, each covering a fixed stretch.
    const int perPage = (format.pageSize - 4) * 8;
    const int mapPages = lastPage / perPage + 1;
    append8(map, 0x01);
    QVector<int> bitmapPage(mapPages, 0);
    for (const int page : dataPages) {
        const int index = page / perPage;
        if (bitmapPage[index] == 0) {
            pages.append(QByteArray(format.pageSize, '\0'));
            bitmapPage[index] = pages.size() - 1;
            pages.last()[0] = 0x05;
            pages.last()[1] = 0x01;
        }
        QByteArray &bitmap = pages[bitmapPage[index]];
        const int bit = page % perPage;
        bitmap[4 + bit / 8] = char(bitmap.at(4 + bit / 8) | 1 << (bit % 8));
    }
    for (const int page : bitmapPage)
        append32(map, quint32(page));
    while (map.size() < size - 3)
        append32(map, 0);
    return map;
}

} // namespace kemuyi::jet
