#include "JetWriter.h"

#include "common/Failure.h"
#include "jet/JetHeader.h"
#include "jet/JetText.h"

#include <algorithm>

namespace kemuyi::jet {

namespace {

struct Format
{
    bool jet4;
    int pageSize;
    int dataHeader;     // bytes before a data page's row offsets
    int rowCountOffset; // where a data page counts its rows
    int mapRecordSize;  // a table's usage map record
};

Format formatFor(JetVersion version)
{
    if (version == JetVersion::Jet4)
        return {true, 4096, 14, 12, 64};
    return {false, 2048, 10, 8, 128};
}

void put16(QByteArray &bytes, int offset, quint32 value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

void put32(QByteArray &bytes, int offset, quint32 value)
{
    put16(bytes, offset, value & 0xFFFF);
    put16(bytes, offset + 2, value >> 16);
}

void append8(QByteArray &bytes, quint32 value)
{
    bytes.append(char(value & 0xFF));
}

void append16(QByteArray &bytes, quint32 value)
{
    append8(bytes, value);
    append8(bytes, value >> 8);
}

void append32(QByteArray &bytes, quint32 value)
{
    append16(bytes, value & 0xFFFF);
    append16(bytes, value >> 16);
}

bool isFixed(JetType type)
{
    return type == JetType::Long || type == JetType::Integer;
}

int fixedSize(JetType type)
{
    return type == JetType::Long ? 4 : 2;
}

quint32 pageRow(int page, int row)
{
    return quint32(page) << 8 | quint32(row);
}

// Fills data pages from the end towards the header, as the format stores rows.
class PageFiller
{
public:
    PageFiller(const Format &format, QVector<QByteArray> &pages, quint32 owner)
        : m_format(format), m_pages(pages), m_owner(owner)
    {
    }

    static int capacity(const Format &format) { return format.pageSize - format.dataHeader - 2; }

    // Places the row on the current page or a new one; returns its page and row number.
    quint32 add(const QByteArray &row, QVector<int> *newPages = nullptr)
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

    // The next row starts a page of its own.
    void finishPage() { m_page = -1; }

    // Fills the given, already reserved page next.
    void startAt(int pageNumber)
    {
        m_page = pageNumber;
        initialise();
    }

private:
    void startPage()
    {
        m_pages.append(QByteArray(m_format.pageSize, '\0'));
        m_page = m_pages.size() - 1;
        initialise();
    }

    void initialise()
    {
        QByteArray &page = m_pages[m_page];
        page.fill('\0');
        page[0] = 0x01;
        page[1] = 0x01;
        put32(page, 4, m_owner);
        m_rows = 0;
        m_nextStart = m_format.pageSize;
    }

    const Format &m_format;
    QVector<QByteArray> &m_pages;
    quint32 m_owner;
    int m_page = -1;
    int m_rows = 0;
    int m_nextStart = 0;
};

const quint32 kLvalMarker = 0x4C41564C; // "LVAL"

class Writer
{
public:
    explicit Writer(const JetWriteOptions &options)
        : m_options(options), m_format(formatFor(options.version)), m_lval(m_format, m_pages, kLvalMarker)
    {
        if (!m_format.jet4) {
            m_charset = options.charset.isEmpty() ? codePageCharset(options.codePage) : options.charset;
            if (m_charset.isEmpty())
                m_charset = "GBK"; // what a reader assumes when the header names no code page
        }
    }

    QByteArray write(const QVector<JetTable> &tables);

private:
    QByteArray textBytes(const QString &text, const JetColumn &column, bool memo) const;
    QByteArray memoField(const QByteArray &data);
    QByteArray rowBytes(const JetTable &table, const QVector<JetValue> &values);
    QByteArray jet3Tail(int eod, const QVector<int> &offsets, int rowSoFar, int maskBytes) const;
    QVector<int> writeRows(const JetTable &table, int tdefPage);
    QByteArray usageMap(const QVector<int> &pages);
    QByteArray tableDefinition(const JetTable &table, int rows, quint32 usage, quint32 free, bool system) const;
    QByteArray headerPage() const;

    JetWriteOptions m_options;
    Format m_format;
    QByteArray m_charset;
    QVector<QByteArray> m_pages;
    PageFiller m_lval;
};

QByteArray Writer::textBytes(const QString &text, const JetColumn &column, bool memo) const
{
    QByteArray bytes;
    if (m_format.jet4) {
        if (!memo && text.size() > column.maxChars)
            throw Failure(QStringLiteral("字段 %1 最多 %2 个字符").arg(column.name).arg(column.maxChars));
        bytes = encodeJet4Text(text, m_options.compressText, memo ? 1024 : column.maxChars);
    } else {
        const auto encoded = encodeCharset(text, m_charset);
        if (!encoded)
            throw Failure(QStringLiteral("字段 %1 的文本无法用 %2 编码").arg(column.name, QString::fromLatin1(m_charset)));
        bytes = *encoded;
        if (!memo && bytes.size() > column.maxChars)
            throw Failure(QStringLiteral("字段 %1 最多 %2 字节").arg(column.name).arg(column.maxChars));
    }
    return bytes;
}

QByteArray Writer::memoField(const QByteArray &data)
{
    QByteArray field;
    const quint32 length = quint32(data.size());
    if (data.size() <= m_options.inlineMemoBytes) {
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

QByteArray Writer::rowBytes(const JetTable &table, const QVector<JetValue> &values)
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
        const QByteArray text = textBytes(std::get<QString>(*value), column, memo);
        variable.append(memo ? memoField(text) : text);
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

// Jet 3 keeps one byte per offset; each "jump" names the first entry that lies another 256 bytes
// further on. Their number follows from the row's length, so it is found by iterating.
QByteArray Writer::jet3Tail(int eod, const QVector<int> &offsets, int rowSoFar, int maskBytes) const
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

QVector<int> Writer::writeRows(const JetTable &table, int tdefPage)
{
    PageFiller data(m_format, m_pages, quint32(tdefPage));
    QVector<int> pages;
    for (const QVector<JetValue> &values : table.rows)
        data.add(rowBytes(table, values), &pages);
    return pages;
}

QByteArray Writer::usageMap(const QVector<int> &pages)
{
    const int size = m_format.mapRecordSize;
    QByteArray map;
    const int firstPage = pages.isEmpty() ? 0 : *std::min_element(pages.begin(), pages.end());
    const int lastPage = pages.isEmpty() ? 0 : *std::max_element(pages.begin(), pages.end());
    if (lastPage - firstPage < (size - 5) * 8) {
        map = QByteArray(size, '\0');
        put32(map, 1, quint32(firstPage));
        for (const int page : pages)
            map[5 + (page - firstPage) / 8] = char(map.at(5 + (page - firstPage) / 8) | 1 << ((page - firstPage) % 8));
        return map;
    }
    // Too wide for one record: the record lists bitmap pages, each covering a fixed stretch.
    const int perPage = (m_format.pageSize - 4) * 8;
    const int mapPages = lastPage / perPage + 1;
    append8(map, 0x01);
    QVector<int> bitmapPage(mapPages, 0);
    for (const int page : pages) {
        const int index = page / perPage;
        if (bitmapPage[index] == 0) {
            m_pages.append(QByteArray(m_format.pageSize, '\0'));
            bitmapPage[index] = m_pages.size() - 1;
            m_pages.last()[0] = 0x05;
            m_pages.last()[1] = 0x01;
        }
        QByteArray &bitmap = m_pages[bitmapPage[index]];
        const int bit = page % perPage;
        bitmap[4 + bit / 8] = char(bitmap.at(4 + bit / 8) | 1 << (bit % 8));
    }
    for (const int page : bitmapPage)
        append32(map, quint32(page));
    while (map.size() < size - 3)
        append32(map, 0);
    return map;
}

QByteArray Writer::tableDefinition(const JetTable &table, int rows, quint32 usage, quint32 free, bool system) const
{
    const bool jet4 = m_format.jet4;
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
    put32(tdef, base, quint32(rows));
    tdef[base + 8 + (jet4 ? 16 : 0)] = char(system ? 0x53 : 0x4E);
    const int counts = jet4 ? 41 : 21;
    put16(tdef, counts, quint32(columns));
    put16(tdef, counts + 2, quint32(variableColumns));
    put16(tdef, counts + 4, quint32(columns));
    put32(tdef, counts + 6, 0);  // logical indexes
    put32(tdef, counts + 10, 0); // index entries
    put32(tdef, counts + 14, usage);
    put32(tdef, counts + 18, free);

    int fixedOffset = 0;
    int variableIndex = 0;
    for (int i = 0; i < columns; ++i) {
        const JetColumn &column = table.columns.at(i);
        const bool fixed = isFixed(column.type);
        const bool text = column.type == JetType::Text || column.type == JetType::Memo;
        QByteArray entry(jet4 ? 25 : 18, '\0');
        entry[0] = char(column.type);
        const int numberAt = jet4 ? 5 : 1;
        put16(entry, numberAt, quint32(i));
        put16(entry, numberAt + 2, fixed ? 0 : quint32(variableIndex));
        put16(entry, numberAt + 4, quint32(i));
        if (text)
            put16(entry, numberAt + 6, 0x0409); // general sort order
        if (text && !jet4)
            put16(entry, 9, quint32(m_options.codePage));
        entry[jet4 ? 15 : 13] = char(fixed ? 0x03 : 0x02);
        if (text && jet4 && m_options.compressText)
            entry[16] = 0x01;
        put16(entry, jet4 ? 21 : 14, fixed ? quint32(fixedOffset) : 0);
        int length = 0;
        if (fixed)
            length = fixedSize(column.type);
        else if (column.type == JetType::Text)
            length = column.maxChars * (jet4 ? 2 : 1);
        put16(entry, jet4 ? 23 : 16, quint32(length));
        tdef += entry;
        if (fixed)
            fixedOffset += fixedSize(column.type);
        else
            ++variableIndex;
    }
    for (const JetColumn &column : table.columns) {
        if (jet4) {
            append16(tdef, quint32(column.name.size() * 2));
            tdef += encodeJet4Text(column.name, false);
        } else {
            const QByteArray name = column.name.toLatin1();
            append8(tdef, quint32(name.size()));
            tdef += name;
        }
    }
    append16(tdef, 0xFFFF); // no per-column usage maps
    if (tdef.size() > m_format.pageSize)
        throw Failure(QStringLiteral("表 %1 的定义放不进一页").arg(table.name));
    put32(tdef, 8, quint32(tdef.size() - 8));
    if (jet4)
        put16(tdef, 2, quint32(m_format.pageSize - tdef.size() - 8));
    tdef.append(QByteArray(m_format.pageSize - tdef.size(), '\0'));
    return tdef;
}

QByteArray Writer::headerPage() const
{
    QByteArray page(m_format.pageSize, '\0');
    page[1] = 0x01;
    page.replace(4, 16, QByteArray("Standard Jet DB\0", 16));
    page[kJetVersionOffset] = char(m_format.jet4 ? 1 : 0);
    put16(page, m_format.jet4 ? 0x6E : 0x3A, 0x0409);
    if (!m_format.jet4)
        put16(page, kJetCodePageOffset, quint32(m_options.codePage));
    scrambleJetHeader(page, m_format.jet4);
    return page;
}

QByteArray Writer::write(const QVector<JetTable> &tables)
{
    // Page 0 the header, 1 the usage maps, 2 the catalogue's definition, then one per table.
    for (int i = 0; i < 3 + tables.size(); ++i)
        m_pages.append(QByteArray(m_format.pageSize, '\0'));

    JetTable catalogue{QStringLiteral("MSysObjects"),
                       {{QStringLiteral("Id"), JetType::Long},
                        {QStringLiteral("ParentId"), JetType::Long},
                        {QStringLiteral("Name"), JetType::Text, 255},
                        {QStringLiteral("Type"), JetType::Integer},
                        {QStringLiteral("Flags"), JetType::Long},
                        {QStringLiteral("LvProp"), JetType::Ole}},
                       {}};
    catalogue.rows.append({qint64(2), qint64(0x0F000001), QStringLiteral("MSysObjects"), qint64(1),
                           qint64(0x80000002), std::nullopt});
    QVector<QVector<int>> dataPages;
    for (int t = 0; t < tables.size(); ++t) {
        catalogue.rows.append({qint64(3 + t), qint64(0x0F000001), tables.at(t).name, qint64(1), qint64(0),
                               std::nullopt});
        dataPages.append(writeRows(tables.at(t), 3 + t));
    }
    dataPages.prepend(writeRows(catalogue, 2));

    PageFiller maps(m_format, m_pages, 0);
    maps.startAt(1);
    QVector<quint32> usage, free;
    const QByteArray emptyMap = usageMap({});
    for (const QVector<int> &pages : dataPages) {
        const QByteArray map = usageMap(pages);
        usage.append(maps.add(map));
        free.append(maps.add(emptyMap));
        if ((usage.last() | free.last()) >> 8 != 1)
            throw Failure(QStringLiteral("表太多，用量表放不进一页"));
    }

    m_pages[2] = tableDefinition(catalogue, catalogue.rows.size(), usage[0], free[0], true);
    for (int t = 0; t < tables.size(); ++t)
        m_pages[3 + t] = tableDefinition(tables.at(t), tables.at(t).rows.size(), usage[t + 1], free[t + 1], false);
    m_pages[0] = headerPage();
    QByteArray file;
    file.reserve(m_pages.size() * m_format.pageSize);
    for (const QByteArray &page : m_pages)
        file += page;
    return file;
}

} // namespace

QByteArray writeJetFile(const QVector<JetTable> &tables, const JetWriteOptions &options)
{
    return Writer(options).write(tables);
}

JetTable questionTable(const QVector<Question> &rows)
{
    JetTable table{QStringLiteral("TK"),
                   {{columnName(Column::Id), JetType::Long},
                    {columnName(Column::Type), JetType::Text, 50},
                    {columnName(Column::Subject), JetType::Memo},
                    {columnName(Column::A), JetType::Text, 255},
                    {columnName(Column::B), JetType::Text, 255},
                    {columnName(Column::C), JetType::Text, 255},
                    {columnName(Column::D), JetType::Text, 255},
                    {columnName(Column::Pic), JetType::Text, 100},
                    {columnName(Column::Select), JetType::Text, 10},
                    {columnName(Column::Answer), JetType::Text, 10}},
                   {}};
    table.rows.reserve(rows.size());
    for (const Question &row : rows) {
        table.rows.append({row.id, row.type, row.subject, row.a, row.b, row.c, row.d, row.pic, row.select,
                           row.answer});
    }
    return table;
}

} // namespace kemuyi::jet
