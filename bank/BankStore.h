#pragma once

#include "Sqlite.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>

namespace kemuyi {

// The bank shipped beside the executable and its working copy in the temporary directory.
QString bankSourcePath();
QString workingCopyPath();

// Copies `source` to `destination` byte for byte. The source is opened first, so a missing source
// leaves an earlier copy untouched. The bytes go to a new file beside the destination that is
// renamed over it at the end: a failed copy never leaves a partial bank, a link planted at the
// destination is replaced rather than followed, and a copy another instance has open is never
// truncated under it.
void FileCopy(const QString &source, const QString &destination);

// FileCopy from bankSourcePath() to workingCopyPath(), or for a bank in the Jet format its
// conversion (convertJetBank); done once per start of the program.
void CopyBank();

// The connection to the working copy and its single current result, as the practice window
// uses them: every query replaces the result, and the current record is the question on screen.
class BankStore
{
public:
    BankStore();
    ~BankStore();

    // Closes any open connection and opens `path` (the working copy by default); no current record.
    void OpenBank();
    void OpenBank(const QString &path);
    bool isOpen() const { return m_db.isOpen(); }

    // Number of rows whose TYPE contains `code` (any letter case); the last of them becomes the
    // current record.
    int QueryCategoryCount(const QString &code);

    // The ids of those rows in ascending ID order; afterwards there is no current record.
    QVector<qint32> QueryCategoryIds(const QString &code);

    // Makes the row with this id the current record; an id without a row leaves none.
    void SelectQuestion(qint32 id);

    // The current record's value of the named column (any letter case) as text. No current
    // record, an unknown column or a NULL value is a Failure.
    QString FieldText(const QString &name) const;

    bool hasCurrentRecord() const { return m_record.has_value(); }

private:
    struct Record
    {
        QStringList names;
        QVector<std::optional<QString>> values;
    };

    static Record captureRow(const SqliteStatement &statement);
    void prepareCategoryFilter(SqliteStatement &statement, const QString &code) const;

    SqliteDb m_db;
    std::unique_ptr<SqliteStatement> m_selectById;
    std::optional<Record> m_record;
};

} // namespace kemuyi
