#include "JetReader.h"

#include "JetBytes.h"
#include "JetFile.h"
#include "JetQuestionTable.h"
#include "JetRow.h"
#include "common/Failure.h"

namespace kemuyi::jet {

namespace {

constexpr quint16 kDeletedOrMoved = 0xC000;

class Reader
{
public:
    Reader(const QByteArray &file, const JetReadOptions &options) : m_file(file, options) {}
    void read(const std::function<void(const JetQuestion &)> &visit);

private:
    void readPage(const std::function<void(const JetQuestion &)> &visit);

    JetFile m_file;
    QuestionTable m_tk;
    RowPlace m_place;
    qint64 m_rowsRead = 0;
    JetQuestion m_question;
};

void Reader::read(const std::function<void(const JetQuestion &)> &visit)
{
    m_tk = openQuestionTable(m_file);
    mdb_rewind_table(m_tk.table.get());
    // Each page of the table's map is read once; more reads than pages means a damaged map.
    qint64 pagesRead = 0;
    for (;;) {
        const int page = mdb_read_next_dpg(m_tk.table.get());
        if (page <= 0)
            break;
        if (++pagesRead > m_file.pageCount)
            throw Failure(QStringLiteral("表 TK 的页面表已损坏"));
        m_place.page = quint32(page);
        readPage(visit);
    }
    if (m_rowsRead != qint64(m_tk.table->num_rows)) {
        throw Failure(QStringLiteral("表 TK 的表头记有 %1 条记录，实际读到 %2 条（文件已损坏，或有记录在编辑后被移动；"
                                     "请先在 Access 中“压缩和修复数据库”）")
                          .arg(m_tk.table->num_rows)
                          .arg(m_rowsRead));
    }
}

void Reader::readPage(const std::function<void(const JetQuestion &)> &visit)
{
    const unsigned char *page = m_file.mdb->pg_buf;
    const int countAt = m_file.mdb->fmt->row_count_offset;
    const int pageSize = m_file.pageSize;
    const int rows = get16(page, countAt);
    const int firstRowByte = countAt + 2 + 2 * rows;
    if (firstRowByte > pageSize)
        rowDamaged(m_place, QStringLiteral("记录数 %1 超出页面").arg(rows));
    for (m_place.row = 0; m_place.row < rows; ++m_place.row) {
        const int row = m_place.row;
        const quint16 raw = get16(page, countAt + 2 + 2 * row);
        if (raw & kDeletedOrMoved)
            continue;
        const int start = raw & kOffsetMask;
        const int end = row == 0 ? pageSize : get16(page, countAt + 2 * row) & kOffsetMask;
        if (start < firstRowByte || end > pageSize || end <= start)
            rowDamaged(m_place, QStringLiteral("记录位置 %1–%2 越界").arg(start).arg(end));
        readQuestionRow(m_file, m_tk, m_place, start, end, ++m_rowsRead, m_question);
        visit(m_question);
    }
}

} // namespace

void readJetQuestions(const QByteArray &file, const JetReadOptions &options,
                      const std::function<void(const JetQuestion &)> &visit)
{
    Reader(file, options).read(visit);
}

} // namespace kemuyi::jet
