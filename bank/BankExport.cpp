#include "BankTool.h"

#include "BankRows.h"
#include "Sqlite.h"

#include <algorithm>

namespace kemuyi {

namespace {

Question exportable(const StoredQuestion &row)
{
    const QString label = QStringLiteral("题号 %1：")
                              .arg(row.nulls.contains(Column::Id) ? QStringLiteral("（空值）") : row.idLabel());
    Question question = row.question;
    bool ok = row.idIsInteger();
    if (row.storedId)
        question.id = row.storedId->toLongLong(&ok);
    if (!ok)
        throw Failure(label + QStringLiteral("题号不是整数，无法导出"));
    for (int i = int(Column::Id) + 1; i < kTkColumnCount; ++i) {
        if (row.nulls.contains(Column(i)))
            throw Failure(label + QStringLiteral("字段 %1 为空值（NULL），无法导出").arg(columnName(Column(i))));
    }
    return question;
}

} // namespace

QVector<Question> readBankRows(const QString &bankPath)
{
    SqliteDb db;
    openReadableBank(db, bankPath);
    QVector<Question> questions;
    forEachStoredQuestion(db, [&](const StoredQuestion &row) { questions.append(exportable(row)); });
    for (const Column side : {Column::Basis, Column::Topic, Column::Explain}) {
        const QHash<qint64, QString> values = readSideTable(db, side);
        for (Question &question : questions)
            textOf(question, side) = values.value(question.id);
    }
    std::stable_sort(questions.begin(), questions.end(),
                     [](const Question &left, const Question &right) { return left.id < right.id; });
    return questions;
}

QByteArray exportBank(const QString &bankPath)
{
    return sourceBytes(readBankRows(bankPath));
}

} // namespace kemuyi
