#include "JetRowEncoder.h"

#include "common/Failure.h"

#include <algorithm>

namespace kemuyi::jet {

namespace {

// Jet 3 keeps one byte per offset; each "jump" names the first entry that lies another 256 bytes
// further on. Their number follows from the row's length, so it is found by iterating.
QByteArray jet3Tail(int eod, const QVector<int> &offsets, int rowSoFar, int maskBytes)
{
    const int entries = offsets.size() + 1;
    int jumps = 0;
    for (;;) {
        const int size = rowSoFar + entries + jumps + 1 + maskBytes;
        const int wanted = (size - 1) / 256;
        if (wanted == jumps)
            break;
        jumps = wanted;
    }
    QVector<int> all = offsets;
    all.append(eod);
    const int real = eod / 256;
    if (jumps - real > 1 || real > jumps)
        throw Failure(QStringLiteral("Jet 3 行的偏移表无法排布"));
    QByteArray tail;
    for (int i = all.size() - 1; i >= 0; --i)
        append8(tail, quint32(all.at(i) & 0xFF));
    QByteArray jumpTable;
    for (int j = 0; j < jumps; ++j) {
        int first = 0xFF; // the one spare entry the length may call for
        if (j < real) {
            const auto at = std::find_if(all.begin(), all.end(), [&](int offset) { return offset >= 256 * (j + 1); });
            first = int(at - all.begin());
        }
        jumpTable.prepend(char(first));
    }
    tail += jumpTable;
    append8(tail, quint32(offsets.size()));
    return tail;
}

} // namespace

RowEncoder::RowEncoder(const JetWriteOptions &options, const PageFormat &format, QVector<QByteArray> &pages)
    : m_format(format), m_text(options, format.jet4), m_memo(format, pages, options.inlineMemoBytes)
{
}

QByteArray RowEncoder::encode(const JetTable &table, const QVector<JetValue> &values)
{
    const int columns = table.columns.size();
    QByteArray fixed;
    QVector<QByteArray> variable;
    const int maskBytes = (columns + 7) / 8;
    QByteArray mask(maskBytes, '\0');
    for (int i = 0; i < columns; ++i) {
        const JetColumn &column = table.columns.at(i);
        const JetValue &value = values.value(i);
        if (value)
            mask[i / 8] = char(mask.at(i / 8) | (1 << (i % 8)));
        if (isFixed(column.type)) {
            const qint64 number = value ? std::get<qint64>(*value) : 0;
            QByteArray bytes;
            if (column.type == JetType::Long)
                append32(bytes, quint32(number));
            else
                append16(bytes, quint32(number));
            fixed += bytes;
            continue;
        }
        if (!value) {
            variable.append(QByteArray());
            continue;
        }
        if (column.type == JetType::Ole)
            throw Failure(QStringLiteral("字段 %1 只能为空值").arg(column.name));
        const bool memo = column.type == JetType::Memo;
        const QByteArray text = m_text.encode(std::get<QString>(*value), column, memo);
        variable.append(memo ? m_memo.field(text) : text);
    }

    const int countBytes = m_format.jet4 ? 2 : 1;
    QByteArray row;
    if (m_format.jet4)
        append16(row, quint32(columns));
    else
        append8(row, quint32(columns));
    row += fixed;
    if (variable.isEmpty())
        return row + mask;
    QVector<int> offsets;
    int position = countBytes + fixed.size();
    for (const QByteArray &part : variable) {
        offsets.append(position);
        row += part;
        position += part.size();
    }
    if (!m_format.jet4)
        return row + jet3Tail(position, offsets, row.size(), maskBytes) + mask;
    append16(row, quint32(position)); // end of the variable data
    for (int i = offsets.size() - 1; i >= 0; --i)
        append16(row, quint32(offsets.at(i)));
    append16(row, quint32(offsets.size()));
    return row + mask;
}

} // namespace kemuyi::jet
