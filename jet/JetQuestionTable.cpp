#include "JetQuestionTable.h"

#include "JetStructure.h"
#include "bank/Question.h"
#include "common/Failure.h"

#include <QStringList>

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

MappedColumn mapColumn(const MdbTableDef &table, const char *name)
{
    for (unsigned i = 0; i < table.num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table.columns, i));
        if (QString::fromUtf8(column->name).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return {int(i), column};
    }
    return {};
}

MdbCatalogEntry *findQuestionEntry(const JetFile &file)
{
    checkTableDefinition(file.bytes, file.jet4, 2, QStringLiteral("MSysObjects"));
    GPtrArray *catalogue = mdb_read_catalog(file.mdb.get(), MDB_TABLE);
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
    if (entry->table_pg < 3 || qint64(entry->table_pg) >= file.pageCount)
        throw Failure(QStringLiteral("目录中表 TK 的位置（第 %1 页）超出了文件").arg(entry->table_pg));
    return entry;
}

void mapColumns(QuestionTable &tk)
{
    QStringList missing;
    tk.id = mapColumn(*tk.table, "ID");
    if (!tk.id.column)
        missing.append(QStringLiteral("ID"));
    for (int i = 0; i < TextColumnCount; ++i) {
        tk.texts[i] = mapColumn(*tk.table, textColumnNames()[size_t(i)].constData());
        if (!tk.texts[i].column)
            missing.append(QLatin1String(textColumnNames()[size_t(i)].constData()));
    }
    if (!missing.isEmpty())
        throw Failure(QStringLiteral("表 TK 缺少字段 %1").arg(missing.join(QStringLiteral("、"))));
    for (const MappedColumn &mapped : tk.texts) {
        switch (mapped.column->col_type) {
        case MDB_TEXT: case MDB_MEMO: case MDB_BYTE: case MDB_INT: case MDB_LONGINT:
            break;
        default:
            throw Failure(QStringLiteral("表 TK 的字段 %1 既不是文本也不是整数").arg(QString::fromUtf8(mapped.column->name)));
        }
    }
}

} // namespace

const char *textColumnName(int column)
{
    return textColumnNames()[size_t(column)].constData();
}

QuestionTable openQuestionTable(const JetFile &file)
{
    MdbCatalogEntry *entry = findQuestionEntry(file);
    checkTableDefinition(file.bytes, file.jet4, quint32(entry->table_pg), QStringLiteral("TK"));
    QuestionTable tk;
    tk.table.reset(mdb_read_table(entry));
    if (!tk.table || !mdb_read_columns(tk.table.get()) || tk.table->num_cols > MDB_MAX_COLS)
        throw Failure(QStringLiteral("表 TK 的定义已损坏"));
    mapColumns(tk);
    return tk;
}

} // namespace kemuyi::jet
