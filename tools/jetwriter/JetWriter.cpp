#include "JetWriter.h"

#include "JetPageFiller.h"
#include "JetPageFormat.h"
#include "JetRowEncoder.h"
#include "JetTableDefinition.h"
#include "JetUsageMap.h"
#include "common/Failure.h"
#include "jet/JetHeader.h"

namespace kemuyi::jet {

namespace {

// MSysObjects with the columns a reader looks up, and one row for itself and for each table,
// whose definitions follow it on pages 3 onwards.
JetTable catalogueTable(const QVector<JetTable> &tables)
{
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
    for (int t = 0; t < tables.size(); ++t) {
        catalogue.rows.append({qint64(3 + t), qint64(0x0F000001), tables.at(t).name, qint64(1), qint64(0),
                               std::nullopt});
    }
    return catalogue;
}

class Writer
{
public:
    explicit Writer(const JetWriteOptions &options)
        : m_options(options), m_format(pageFormatFor(options.version)), m_rows(options, m_format, m_pages)
    {
    }

    QByteArray write(const QVector<JetTable> &tables);

private:
    QVector<int> writeRows(const JetTable &table, int tdefPage);
    QByteArray headerPage() const;

    JetWriteOptions m_options;
    PageFormat m_format;
    QVector<QByteArray> m_pages;
    RowEncoder m_rows;
};

QVector<int> Writer::writeRows(const JetTable &table, int tdefPage)
{
    PageFiller data(m_format, m_pages, quint32(tdefPage));
    QVector<int> pages;
    for (const QVector<JetValue> &values : table.rows)
        data.add(m_rows.encode(table, values), &pages);
    return pages;
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

    const JetTable catalogue = catalogueTable(tables);
    QVector<QVector<int>> dataPages;
    for (int t = 0; t < tables.size(); ++t)
        dataPages.append(writeRows(tables.at(t), 3 + t));
    dataPages.prepend(writeRows(catalogue, 2));

    PageFiller maps(m_format, m_pages, 0);
    maps.startAt(1);
    QVector<quint32> usage, free;
    const QByteArray emptyMap = usageMap(m_format, m_pages, {});
    for (const QVector<int> &pages : dataPages) {
        const QByteArray map = usageMap(m_format, m_pages, pages);
        usage.append(maps.add(map));
        free.append(maps.add(emptyMap));
        if ((usage.last() | free.last()) >> 8 != 1)
            throw Failure(QStringLiteral("表太多，用量表放不进一页"));
    }

    m_pages[2] = tableDefinition(m_format, m_options, catalogue, {int(catalogue.rows.size()), usage[0], free[0], true});
    for (int t = 0; t < tables.size(); ++t) {
        const TablePlacement placement{int(tables.at(t).rows.size()), usage[t + 1], free[t + 1], false};
        m_pages[3 + t] = tableDefinition(m_format, m_options, tables.at(t), placement);
    }
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
