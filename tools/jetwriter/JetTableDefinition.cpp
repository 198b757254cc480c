#include "JetTableDefinition.h"

#include "common/Failure.h"
#include "jet/JetText.h"

namespace kemuyi::jet {

namespace {

QByteArray columnEntry(const PageFormat &format, const JetWriteOptions &options, const JetColumn &column, int index,
                       int variableIndex, int fixedOffset)
{
    const bool jet4 = format.jet4;
    const bool fixed = isFixed(column.type);
    const bool text = column.type == JetType::Text || column.type == JetType::Memo;
    QByteArray entry(jet4 ? 25 : 18, '\0');
    entry[0] = char(column.type);
    const int numberAt = jet4 ? 5 : 1;
    put16(entry, numberAt, quint32(index));
    put16(entry, numberAt + 2, fixed ? 0 : quint32(variableIndex));
    put16(entry, numberAt + 4, quint32(index));
    if (text)
        put16(entry, numberAt + 6, 0x0409); // general sort order
    if (text && !jet4)
        put16(entry, 9, quint32(options.codePage));
    entry[jet4 ? 15 : 13] = char(fixed ? 0x03 : 0x02);
    if (text && jet4 && options.compressText)
        entry[16] = 0x01;
    put16(entry, jet4 ? 21 : 14, fixed ? quint32(fixedOffset) : 0);
    int length = 0;
    if (fixed)
        length = fixedSize(column.type);
    else if (column.type == JetType::Text)
        length = column.maxChars * (jet4 ? 2 : 1);
    put16(entry, jet4 ? 23 : 16, quint32(length));
    return entry;
}

void appendColumnName(QByteArray &tdef, bool jet4, const QString &name)
{
    if (jet4) {
        append16(tdef, quint32(name.size() * 2));
        tdef += encodeJet4Text(name, false);
    } else {
        const QByteArray latin1 = name.toLatin1();
        append8(tdef, quint32(latin1.size()));
        tdef += latin1;
    }
}

} // namespace

QByteArray tableDefinition(const PageFormat &format, const JetWriteOptions &options, const JetTable &table,
                           const TablePlacement &placement)
{
    const bool jet4 = format.jet4;
    const int columns = table.columns.size();
    int variableColumns = 0;
    for (const JetColumn &column : table.columns)
        variableColumns += isFixed(column.type) ? 0 : 1;

    QByteArray tdef(jet4 ? 63 : 43, '\0');
    tdef[0] = 0x02;
    tdef[1] = 0x01;
    if (!jet4) {
        tdef[2] = 'V';
        tdef[3] = 'C';
    }
    const int base = jet4 ? 16 : 12; // the row count; the other fields follow at fixed distances
    put32(tdef, base, quint32(placement.rows));
    tdef[base + 8 + (jet4 ? 16 : 0)] = char(placement.system ? 0x53 : 0x4E);
    const int counts = jet4 ? 41 : 21;
    put16(tdef, counts, quint32(columns));
    put16(tdef, counts + 2, quint32(variableColumns));
    put16(tdef, counts + 4, quint32(columns));
    put32(tdef, counts + 6, 0);  // logical indexes
    put32(tdef, counts + 10, 0); // index entries
    put32(tdef, counts + 14, placement.usage);
    put32(tdef, counts + 18, placement.free);

    int fixedOffset = 0;
    int variableIndex = 0;
    for (int i = 0; i < columns; ++i) {
        const JetColumn &column = table.columns.at(i);
        tdef += columnEntry(format, options, column, i, variableIndex, fixedOffset);
        if (isFixed(column.type))
            fixedOffset += fixedSize(column.type);
        else
            ++variableIndex;
    }
    for (const JetColumn &column : table.columns)
        appendColumnName(tdef, jet4, column.name);
    append16(tdef, 0xFFFF); // no per-column usage maps
    if (tdef.size() > format.pageSize)
        throw Failure(QStringLiteral("表 %1 的定义放不进一页").arg(table.name));
    put32(tdef, 8, quint32(tdef.size() - 8));
    if (jet4)
        put16(tdef, 2, quint32(format.pageSize - tdef.size() - 8));
    tdef.append(QByteArray(format.pageSize - tdef.size(), '\0'));
    return tdef;
}

} // namespace kemuyi::jet
