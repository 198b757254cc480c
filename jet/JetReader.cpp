#include "JetReader.h"

#include "JetHeader.h"
#include "JetStructure.h"
#include "JetText.h"
#include "bank/BankFormat.h"
#include "bank/Question.h"
#include "common/Failure.h"

#include <QStringList>

#include <mdbtools.h>

#include <cstring>
#include <memory>
#include <variant>

namespace kemuyi::jet {

namespace {

// TK's text columns are the question's columns from TYPE to answer, named as the bank names them.
static_assert(int(TextColumnCount) == kTkColumnCount - int(Column::Type), "TextColumn follows Column");

const std::array<QByteArray, TextColumnCount> &textColumnNames()
{
    static const auto names = [] {
        std::array<QByteArray, TextColumnCount> list;
        for (int i = 0; i < TextColumnCount; ++i)
            list[size_t(i)] = columnName(Column(int(Column::Type) + i)).toLatin1();
        return list;
    }();
    return names;
}

constexpr quint16 kDeletedOrMoved = 0xC000;
constexpr quint16 kOffsetMask = 0x1FFF;
constexpr quint32 kMemoInline = 0x80000000u;
constexpr quint32 kMemoOnePage = 0x40000000u;
constexpr quint32 kMemoFlags = 0xC0000000u;

quint16 get16(const unsigned char *bytes, int offset)
{
    return quint16(bytes[offset] | bytes[offset + 1] << 8);
}

quint32 get32(const unsigned char *bytes, int offset)
{
    return quint32(get16(bytes, offset)) | quint32(get16(bytes, offset + 2)) << 16;
}

// A database "encoded" in Access scrambles every page with a key kept in the header.
bool isEncoded(QByteArray header, bool jet4)
{
    scrambleJetHeader(header, jet4);
    return header.mid(0x3E, 4) != QByteArray(4, '\0');
}

struct HandleCloser
{
    void operator()(MdbHandle *handle) const { mdb_close(handle); }
};
struct TableFreer
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

using Value = std::variant<qint64, QString>;

// One column of TK as the program names it, and where the file keeps it.
struct MappedColumn
{
    int index = -1; // in the table's column list
    MdbColumn *column = nullptr;
};

class Reader
{
public:
    Reader(const QByteArray &file, const JetReadOptions &options);
    void read(const std::function<void(const JetQuestion &)> &visit);

private:
    void openTable();
    MappedColumn mapColumn(const char *name) const;
    void readPage(const std::function<void(const JetQuestion &)> &visit);
    void readRow(int start, int end, const std::function<void(const JetQuestion &)> &visit);
    std::optional<Value> fieldValue(const MappedColumn &mapped, const MdbField &field, int rowStart, int rowEnd,
                                    bool isNull);
    QByteArray memoBytes(const unsigned char *field, int size);
    QByteArray lvalRow(quint32 pageRow, int *rowsLeft);
    QString decodeText(const QByteArray &bytes) const;
    [[noreturn]] void rowDamaged(const QString &reason) const;

    QByteArray m_bytes; // libmdb reads this buffer in place
    bool m_jet4 = false;
    QByteArray m_charset;
    std::unique_ptr<MdbHandle, HandleCloser> m_mdb;
    std::unique_ptr<MdbTableDef, TableFreer> m_table;
    MappedColumn m_id;
    std::array<MappedColumn, TextColumnCount> m_texts;
    int m_pageSize = 0;
    qint64 m_pageCount = 0;
    quint32 m_page = 0;
    int m_row = 0;
    qint64 m_rowsRead = 0;
    JetQuestion m_question;
};

Reader::Reader(const QByteArray &file, const JetReadOptions &options) : m_bytes(file)
{
    const BankFormat format = detectBankFormat(file.left(kBankFormatHeadSize));
    if (format == BankFormat::Accdb)
        throw Failure(QStringLiteral("这是 Access 2007 及以后的 .accdb 格式，不受支持；请在 Access 中另存为 2002-2003 格式（.mdb）"));
    if (!isJetFormat(format))
        throw Failure(QStringLiteral("不是 Jet（Access .mdb）数据库文件"));
    m_jet4 = format == BankFormat::Jet4;
    m_pageSize = m_jet4 ? 4096 : 2048;
    m_pageCount = file.size() / m_pageSize;
    if (m_pageCount < 3)
        throw Failure(QStringLiteral("文件只有 %1 字节，不是完整的 Jet 数据库").arg(file.size()));
    if (!m_jet4) {
        m_charset = options.charset;
        if (m_charset.isEmpty()) {
            const int codePage = jet3CodePage(file.left(m_pageSize));
            m_charset = codePage == 0 ? QByteArray("GBK") : codePageCharset(codePage);
            if (m_charset.isEmpty())
                throw Failure(QStringLiteral("文件头中的代码页 %1 无法识别，请用 --charset 指定文本编码").arg(codePage));
        }
        if (!encodeCharset(QString(), m_charset))
            throw Failure(QStringLiteral("不认识的文本编码 %1").arg(QString::fromLatin1(m_charset)));
    }
    if (isEncoded(file.left(m_pageSize), m_jet4))
        throw Failure(QStringLiteral("数据库经过编码（加密），无法读取；请在 Access 中解除编码后再试"));
    m_mdb.reset(mdb_open_buffer(m_bytes.data(), size_t(m_bytes.size()), MDB_NOFLAGS));
    if (!m_mdb)
        throw Failure(QStringLiteral("Jet 文件头无法读取"));
}

MappedColumn Reader::mapColumn(const char *name) const
{
    for (unsigned i = 0; i < m_table->num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(m_table->columns, i));
        if (QString::fromUtf8(column->name).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return {int(i), column};
    }
    return {};
}

void Reader::openTable()
{
    checkTableDefinition(m_bytes, m_jet4, 2, QStringLiteral("MSysObjects"));
    GPtrArray *catalogue = mdb_read_catalog(m_mdb.get(), MDB_TABLE);
    if (!catalogue)
        throw Failure(QStringLiteral("读不出数据库的目录（MSysObjects）"));
    MdbCatalogEntry *entry = nullptr;
    for (unsigned i = 0; i < catalogue->len && !entry; ++i) {
        auto *candidate = static_cast<MdbCatalogEntry *>(g_ptr_array_index(catalogue, i));
        if (candidate->object_type == MDB_TABLE && qstricmp(candidate->object_name, "TK") == 0)
            entry = candidate;
    }
    if (!entry)
        throw Failure(QStringLiteral("数据库中没有题目表 TK"));
    if (entry->table_pg < 3 || qint64(entry->table_pg) >= m_pageCount)
        throw Failure(QStringLiteral("目录中表 TK 的位置（第 %1 页）超出了文件").arg(entry->table_pg));
    checkTableDefinition(m_bytes, m_jet4, quint32(entry->table_pg), QStringLiteral("TK"));
    m_table.reset(mdb_read_table(entry));
    if (!m_table || !mdb_read_columns(m_table.get()) || m_table->num_cols > MDB_MAX_COLS)
        throw Failure(QStringLiteral("表 TK 的定义已损坏"));

    QStringList missing;
    m_id = mapColumn("ID");
    if (!m_id.column)
        missing.append(QStringLiteral("ID"));
    for (int i = 0; i < TextColumnCount; ++i) {
        m_texts[i] = mapColumn(textColumnNames()[size_t(i)].constData());
        if (!m_texts[i].column)
            missing.append(QLatin1String(textColumnNames()[size_t(i)].constData()));
    }
    if (!missing.isEmpty())
        throw Failure(QStringLiteral("表 TK 缺少字段 %1").arg(missing.join(QStringLiteral("、"))));
    for (const MappedColumn &mapped : m_texts) {
        switch (mapped.column->col_type) {
        case MDB_TEXT: case MDB_MEMO: case MDB_BYTE: case MDB_INT: case MDB_LONGINT:
            break;
        default:
            throw Failure(QStringLiteral("表 TK 的字段 %1 既不是文本也不是整数").arg(QString::fromUtf8(mapped.column->name)));
        }
    }
}

void Reader::read(const std::function<void(const JetQuestion &)> &visit)
{
    openTable();
    mdb_rewind_table(m_table.get());
    // Each page of the table's map is read once; more reads than pages means a damaged map.
    qint64 pagesRead = 0;
    for (;;) {
        const int page = mdb_read_next_dpg(m_table.get());
        if (page <= 0)
            break;
        if (++pagesRead > m_pageCount)
            throw Failure(QStringLiteral("表 TK 的页面表已损坏"));
        m_page = quint32(page);
        readPage(visit);
    }
    if (m_rowsRead != qint64(m_table->num_rows)) {
        throw Failure(QStringLiteral("表 TK 的表头记有 %1 条记录，实际读到 %2 条（文件已损坏，或有记录在编辑后被移动；"
                                     "请先在 Access 中“压缩和修复数据库”）")
                          .arg(m_table->num_rows)
                          .arg(m_rowsRead));
    }
}

void Reader::readPage(const std::function<void(const JetQuestion &)> &visit)
{
    const unsigned char *page = m_mdb->pg_buf;
    const int countAt = m_mdb->fmt->row_count_offset;
    const int rows = get16(page, countAt);
    const int firstRowByte = countAt + 2 + 2 * rows;
    if (firstRowByte > m_pageSize)
        rowDamaged(QStringLiteral("记录数 %1 超出页面").arg(rows));
    for (m_row = 0; m_row < rows; ++m_row) {
        const quint16 raw = get16(page, countAt + 2 + 2 * m_row);
        if (raw & kDeletedOrMoved)
            continue;
        const int start = raw & kOffsetMask;
        const int end = m_row == 0 ? m_pageSize : get16(page, countAt + 2 * m_row) & kOffsetMask;
        if (start < firstRowByte || end > m_pageSize || end <= start)
            rowDamaged(QStringLiteral("记录位置 %1–%2 越界").arg(start).arg(end));
        readRow(start, end, visit);
    }
}

void Reader::readRow(int start, int end, const std::function<void(const JetQuestion &)> &visit)
{
    const unsigned char *page = m_mdb->pg_buf;
    // The row's own null mask, at its end: one bit per column in the row, set when not NULL.
    const int rowColumns = m_jet4 ? get16(page, start) : page[start];
    const int maskBytes = (rowColumns + 7) / 8;
    if (maskBytes > end - start - (m_jet4 ? 2 : 1))
        rowDamaged(QStringLiteral("空值位图越界"));
    const unsigned char *mask = page + end - maskBytes;
    const auto isNull = [&](const MdbColumn *column) {
        const int bit = column->row_col_num;
        return bit < 0 || bit >= rowColumns || !(mask[bit / 8] & (1 << (bit % 8)));
    };

    MdbField fields[MDB_MAX_COLS];
    std::memset(fields, 0, sizeof fields);
    if (mdb_crack_row(m_table.get(), start, size_t(end - start), fields) <= 0)
        rowDamaged(QStringLiteral("无法拆分字段"));

    ++m_rowsRead;
    const std::optional<Value> id = fieldValue(m_id, fields[m_id.index], start, end, isNull(m_id.column));
    if (!id)
        throw Failure(QStringLiteral("第 %1 条记录的题号（ID）为空值（NULL）").arg(m_rowsRead));
    if (const auto *number = std::get_if<qint64>(&*id)) {
        m_question.id = *number;
    } else {
        bool ok = false;
        m_question.id = std::get<QString>(*id).toLongLong(&ok);
        if (!ok)
            throw Failure(QStringLiteral("第 %1 条记录的题号“%2”不是整数").arg(m_rowsRead).arg(std::get<QString>(*id)));
    }
    for (int i = 0; i < TextColumnCount; ++i) {
        const MappedColumn &mapped = m_texts[i];
        std::optional<Value> value;
        try {
            value = fieldValue(mapped, fields[mapped.index], start, end, isNull(mapped.column));
        } catch (const Failure &failure) {
            throw Failure(QStringLiteral("题号 %1 的字段 %2：%3").arg(m_question.id).arg(QLatin1String(textColumnNames()[size_t(i)].constData()), failure.message()));
        }
        if (!value)
            m_question.texts[i].reset();
        else if (const auto *number = std::get_if<qint64>(&*value))
            m_question.texts[i] = QString::number(*number);
        else
            m_question.texts[i] = std::get<QString>(*value);
    }
    visit(m_question);
}

std::optional<Value> Reader::fieldValue(const MappedColumn &mapped, const MdbField &field, int rowStart, int rowEnd,
                                        bool isNull)
{
    if (isNull)
        return std::nullopt;
    if (field.siz < 0 || field.start < rowStart || field.start > rowEnd || field.siz > rowEnd - field.start)
        rowDamaged(QStringLiteral("字段 %1 的位置或长度（%2，%3）越界")
                       .arg(QString::fromUtf8(mapped.column->name))
                       .arg(field.start)
                       .arg(field.siz));
    const unsigned char *bytes = m_mdb->pg_buf + field.start;
    const int size = field.siz;
    const auto needs = [&](int wanted) {
        if (size < wanted)
            rowDamaged(QStringLiteral("整数字段 %1 只有 %2 字节").arg(QString::fromUtf8(mapped.column->name)).arg(size));
    };
    switch (mapped.column->col_type) {
    case MDB_BYTE:
        needs(1);
        return Value(qint64(bytes[0]));
    case MDB_INT:
        needs(2);
        return Value(qint64(qint16(get16(bytes, 0))));
    case MDB_LONGINT:
        needs(4);
        return Value(qint64(qint32(get32(bytes, 0))));
    case MDB_MEMO:
        return Value(decodeText(memoBytes(bytes, size)));
    case MDB_TEXT:
        return Value(decodeText(QByteArray(reinterpret_cast<const char *>(bytes), size)));
    default:
        throw Failure(QStringLiteral("字段类型不受支持"));
    }
}

// A memo keeps 12 bytes in the row: its length and where it lies, in the row itself, in one
// row of a long-value page, or in a chain of such rows.
QByteArray Reader::memoBytes(const unsigned char *field, int size)
{
    if (size < 12)
        throw Failure(QStringLiteral("备注字段只有 %1 字节").arg(size));
    const quint32 header = get32(field, 0);
    const qint64 length = header & ~kMemoFlags;
    if (length > m_bytes.size())
        throw Failure(QStringLiteral("备注长度 %1 超过了文件本身").arg(length));
    if ((header & kMemoFlags) == kMemoInline) {
        if (length > size - 12)
            throw Failure(QStringLiteral("备注长度 %1 超出记录").arg(length));
        return QByteArray(reinterpret_cast<const char *>(field + 12), int(length));
    }
    int rowsLeft = int(qMin<qint64>(m_pageCount, 1 << 20));
    if ((header & kMemoFlags) == kMemoOnePage) {
        const QByteArray row = lvalRow(get32(field, 4), &rowsLeft);
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
        const QByteArray row = lvalRow(next, &rowsLeft);
        if (row.size() < 4)
            throw Failure(QStringLiteral("备注的续页记录太短"));
        next = get32(reinterpret_cast<const unsigned char *>(row.constData()), 0);
        memo += row.mid(4, int(length - memo.size()));
    }
    return memo;
}

QByteArray Reader::lvalRow(quint32 pageRow, int *rowsLeft)
{
    if (--*rowsLeft < 0)
        throw Failure(QStringLiteral("备注的续页形成了环"));
    const quint32 page = pageRow >> 8;
    const int row = int(pageRow & 0xFF);
    if (page == 0 || qint64(page) >= m_pageCount)
        throw Failure(QStringLiteral("备注指向的第 %1 页超出了文件").arg(page));
    if (mdb_read_alt_pg(m_mdb.get(), page) != m_pageSize)
        throw Failure(QStringLiteral("备注所在的第 %1 页无法读取").arg(page));
    const unsigned char *bytes = m_mdb->alt_pg_buf;
    const int countAt = m_mdb->fmt->row_count_offset;
    const int rows = get16(bytes, countAt);
    if (bytes[0] != 0x01 || row >= rows || countAt + 2 + 2 * rows > m_pageSize)
        throw Failure(QStringLiteral("备注所在的第 %1 页没有第 %2 条记录").arg(page).arg(row));
    const int start = get16(bytes, countAt + 2 + 2 * row) & kOffsetMask;
    const int end = row == 0 ? m_pageSize : get16(bytes, countAt + 2 * row) & kOffsetMask;
    if (start < countAt + 2 + 2 * rows || end > m_pageSize || end < start)
        throw Failure(QStringLiteral("备注所在的第 %1 页第 %2 条记录越界").arg(page).arg(row));
    return QByteArray(reinterpret_cast<const char *>(bytes + start), end - start);
}

QString Reader::decodeText(const QByteArray &bytes) const
{
    const std::optional<QString> text = m_jet4 ? decodeJet4Text(bytes) : decodeCharset(bytes, m_charset);
    if (!text) {
        throw Failure(m_jet4 ? QStringLiteral("不是有效的 Unicode 文本")
                             : QStringLiteral("不是有效的 %1 文本").arg(QString::fromLatin1(m_charset)));
    }
    return *text;
}

void Reader::rowDamaged(const QString &reason) const
{
    throw Failure(QStringLiteral("表 TK 第 %1 页第 %2 条记录已损坏：%3").arg(m_page).arg(m_row).arg(reason));
}

} // namespace

const char *textColumnName(int column)
{
    return textColumnNames()[size_t(column)].constData();
}

void readJetQuestions(const QByteArray &file, const JetReadOptions &options,
                      const std::function<void(const JetQuestion &)> &visit)
{
    Reader(file, options).read(visit);
}

} // namespace kemuyi::jet
