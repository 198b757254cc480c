#pragma once

#include "Question.h"
#include "QuestionTable.h"
#include "Sqlite.h"

#include <QString>
#include <QVector>

#include <memory>
#include <optional>

namespace kemuyi {

// The bank shipped beside the executable and its working copy in the temporary directory.
QString bankSourcePath();
QString workingCopyPath();

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
    // A file that is not ours, is damaged or lacks table TK or one of its columns is refused, as
    // is a table EXPLAIN without its columns ID and explain.
    void OpenBank();
    void OpenBank(const QString &path);
    bool isOpen() const { return m_db.isOpen(); }

    // Number of rows whose TYPE contains `code` (any letter case); the last of them becomes the
    // current record.
    int QueryCategoryCount(const QString &code);

    // The ids of those rows in ascending ID order; afterwards there is no current record. An id
    // that is NULL, not stored as an integer or beyond 32 bits is a Failure naming it.
    QVector<qint32> QueryCategoryIds(const QString &code);

    // Makes the row with this id the current record; an id without a row leaves none.
    void SelectQuestion(qint32 id);

    // The current record, read once with its id as a number, and its explanation from table
    // EXPLAIN (empty for a bank without one, such as an older or converted bank). No current
    // record, or a NULL in one of the `used` columns, is a Failure naming the question and the
    // column.
    const Question &CurrentQuestion(Columns used) const;

    // The current record's value of the named column (any letter case) as text. No current
    // record, an unknown column or a NULL value is a Failure.
    QString FieldText(const QString &name) const;

    bool hasCurrentRecord() const { return m_current.has_value(); }

    // For another reader sharing the connection (the exam window over the practice window):
    // these leave the current record as it is.
    // The category's ids as QueryCategoryIds gives them.
    QVector<qint32> categoryIds(const QString &code);
    // The question with this id and its explanation. No row, or a NULL in one of the `used` TK
    // columns, is a Failure naming the question; basis and topic are read when in `used`, where
    // the bank has them, and left empty where it has not.
    Question questionById(qint32 id, Columns used);
    // The category's ids as categoryIds gives them, each with its topic (empty where the bank
    // has none), in one query.
    QVector<std::pair<qint32, QString>> categoryTopics(const QString &code);

private:
    // The row as read from TK, with its explanation beside it.
    StoredQuestion withExplanation(StoredQuestion row) const;
    std::optional<StoredQuestion> selectById(qint32 id);
    // A side column's value read on request (the exam's basis).
    QString sideText(Column side, qint32 id);

    SqliteDb m_db;
    std::unique_ptr<SqliteStatement> m_selectById;
    std::unique_ptr<SqliteStatement> m_explainById; // none when the bank has no explanations
    std::unique_ptr<SqliteStatement> m_sideById[kColumnCount - kTkColumnCount];
    std::optional<bool> m_hasSide[kColumnCount - kTkColumnCount];
    std::optional<StoredQuestion> m_current;
};

} // namespace kemuyi
