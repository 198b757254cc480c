#include "JetRow.h"

#include "JetBytes.h"
#include "JetMemo.h"
#include "JetText.h"
#include "common/Failure.h"

#include <cstring>
#include <optional>
#include <variant>

namespace kemuyi::jet {

namespace {

using Value = std::variant<qint64, QString>;

QString decodeText(const JetFile &file, const QByteArray &bytes)
{
    const std::optional<QString> text = file.jet4 ? decodeJet4Text(bytes) : file.text->decode(bytes);
    if (!text) {
        throw Failure(file.jet4 ? QStringLiteral("不是有效的 Unicode 文本")
                                : QStringLiteral("不是有效的 %1 文本").arg(QString::fromLatin1(file.text->charset())));
    }
    return *text;
}

std::optional<Value> fieldValue(const JetFile &file, const RowPlace &place, const MappedColumn &mapped,
                                const MdbField &field, int rowStart, int rowEnd, bool isNull)
{
    if (isNull)
        return std::nullopt;
    if (field.siz < 0 || field.start < rowStart || field.start > rowEnd || field.siz > rowEnd - field.start)
        rowDamaged(place, QStringLiteral("字段 %1 的位置或长度（%2，%3）越界")
                              .arg(QString::fromUtf8(mapped.column->name))
                              .arg(field.start)
                              .arg(field.siz));
    const unsigned char *bytes = file.mdb->pg_buf + field.start;
    const int size = field.siz;
    const auto needs = [&](int wanted) {
        if (size < wanted)
            rowDamaged(place, QStringLiteral("整数字段 %1 只有 %2 字节").arg(QString::fromUtf8(mapped.column->name)).arg(size));
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
        return Value(decodeText(file, readMemo(file, bytes, size)));
    case MDB_TEXT:
        return Value(decodeText(file, QByteArray(reinterpret_cast<const char *>(bytes), size)));
    default:
        throw Failure(QStringLiteral("字段类型不受支持"));
    }
}

qint64 questionId(const std::optional<Value> &id, qint64 rowNumber)
{
    if (!id)
        throw Failure(QStringLiteral("第 %1 条记录的题号（ID）为空值（NULL）").arg(rowNumber));
    if (const auto *number = std::get_if<qint64>(&*id))
        return *number;
    bool ok = false;
    const qint64 number = std::get<QString>(*id).toLongLong(&ok);
    if (!ok)
        throw Failure(QStringLiteral("第 %1 条记录的题号“%2”不是整数").arg(rowNumber).arg(std::get<QString>(*id)));
    return number;
}

} // namespace

void rowDamaged(const RowPlace &place, const QString &reason)
{
    throw Failure(QStringLiteral("表 TK 第 %1 页第 %2 条记录已损坏：%3").arg(place.page).arg(place.row).arg(reason));
}

void readQuestionRow(const JetFile &file, const QuestionTable &tk, const RowPlace &place, int start, int end,
                     qint64 rowNumber, JetQuestion &question)
{
    const unsigned char *page = file.mdb->pg_buf;
    // The row's own null mask, at its end: one bit per column in the row, set when not NULL.
    const int rowColumns = file.jet4 ? get16(page, start) : page[start];
    const int maskBytes = (rowColumns + 7) / 8;
    if (maskBytes > end - start - (file.jet4 ? 2 : 1))
        rowDamaged(place, QStringLiteral("空值位图越界"));
    const unsigned char *mask = page + end - maskBytes;
    const auto isNull = [&](const MdbColumn *column) {
        const int bit = column->row_col_num;
        return bit < 0 || bit >= rowColumns || !(mask[bit / 8] & (1 << (bit % 8)));
    };

    MdbField fields[MDB_MAX_COLS];
    std::memset(fields, 0, sizeof fields);
    if (mdb_crack_row(tk.table.get(), start, size_t(end - start), fields) <= 0)
        rowDamaged(place, QStringLiteral("无法拆分字段"));

    question.id = questionId(fieldValue(file, place, tk.id, fields[tk.id.index], start, end, isNull(tk.id.column)),
                             rowNumber);
    for (int i = 0; i < TextColumnCount; ++i) {
        const MappedColumn &mapped = tk.texts[i];
        std::optional<Value> value;
        try {
            value = fieldValue(file, place, mapped, fields[mapped.index], start, end, isNull(mapped.column));
        } catch (const Failure &failure) {
            throw Failure(QStringLiteral("题号 %1 的字段 %2：%3").arg(question.id).arg(QLatin1String(textColumnName(i)), failure.message()));
        }
        if (!value)
            question.texts[i].reset();
        else if (const auto *number = std::get_if<qint64>(&*value))
            question.texts[i] = QString::number(*number);
        else
            question.texts[i] = std::get<QString>(*value);
    }
}

} // namespace kemuyi::jet
