#include "JetMemo.h"

#include "JetBytes.h"
#include "common/Failure.h"

namespace kemuyi::jet {

namespace {

constexpr quint32 kMemoInline = 0x80000000u;
constexpr quint32 kMemoOnePage = 0x40000000u;
constexpr quint32 kMemoFlags = 0xC0000000u;

QByteArray lvalRow(const JetFile &file, quint32 pageRow, int *rowsLeft)
{
    if (--*rowsLeft < 0)
        throw Failure(QStringLiteral("备注的续页形成了环"));
    const quint32 page = pageRow >> 8;
    const int row = int(pageRow & 0xFF);
    if (page == 0 || qint64(page) >= file.pageCount)
        throw Failure(QStringLiteral("备注指向的第 %1 页超出了文件").arg(page));
    if (mdb_read_alt_pg(file.mdb.get(), page) != file.pageSize)
        throw Failure(QStringLiteral("备注所在的第 %1 页无法读取").arg(page));
    const unsigned char *bytes = file.mdb->alt_pg_buf;
    const int countAt = file.mdb->fmt->row_count_offset;
    const int rows = get16(bytes, countAt);
    if (bytes[0] != 0x01 || row >= rows || countAt + 2 + 2 * rows > file.pageSize)
        throw Failure(QStringLiteral("备注所在的第 %1 页没有第 %2 条记录").arg(page).arg(row));
    const int start = get16(bytes, countAt + 2 + 2 * row) & kOffsetMask;
    const int end = row == 0 ? file.pageSize : get16(bytes, countAt + 2 * row) & kOffsetMask;
    if (start < countAt + 2 + 2 * rows || end > file.pageSize || end < start)
        throw Failure(QStringLiteral("备注所在的第 %1 页第 %2 条记录越界").arg(page).arg(row));
    return QByteArray(reinterpret_cast<const char *>(bytes + start), end - start);
}

} // namespace

QByteArray readMemo(const JetFile &file, const unsigned char *field, int size)
{
    if (size < 12)
        throw Failure(QStringLiteral("备注字段只有 %1 字节").arg(size));
    const quint32 header = get32(field, 0);
    const qint64 length = header & ~kMemoFlags;
    if (length > file.bytes.size())
        throw Failure(QStringLiteral("备注长度 %1 超过了文件本身").arg(length));
    if ((header & kMemoFlags) == kMemoInline) {
        if (length > size - 12)
            throw Failure(QStringLiteral("备注长度 %1 超出记录").arg(length));
        return QByteArray(reinterpret_cast<const char *>(field + 12), int(length));
    }
    int rowsLeft = int(qMin<qint64>(file.pageCount, 1 << 20));
    if ((header & kMemoFlags) == kMemoOnePage) {
        const QByteArray row = lvalRow(file, get32(field, 4), &rowsLeft);
        if (length > row.size())
            throw Failure(QStringLiteral("备注长度 %1 超出所在页的记录").arg(length));
        return row.left(int(length));
    }
    if ((header & kMemoFlags) != 0)
        throw Failure(QStringLiteral("备注的存放方式无法识别"));
    QByteArray memo;
    quint32 next = get32(field, 4);
    while (memo.size() < length) {
        if (next == 0)
            throw Failure(QStringLiteral("备注在 %1 字节处中断（应有 %2 字节）").arg(memo.size()).arg(length));
        const QByteArray row = lvalRow(file, next, &rowsLeft);
        if (row.size() < 4)
            throw Failure(QStringLiteral("备注的续页记录太短"));
        next = get32(reinterpret_cast<const unsigned char *>(row.constData()), 0);
        memo += row.mid(4, int(length - memo.size()));
    }
    return memo;
}

} // namespace kemuyi::jet
