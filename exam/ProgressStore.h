#pragma once

#include "ExamSession.h"
#include "WrongBook.h"
#include "bank/Sqlite.h"

#include <QString>
#include <QVector>

#include <optional>

namespace kemuyi {

// The learner's own progress file: $XDG_DATA_HOME/kemuyi/progress.db, or
// ~/.local/share/kemuyi/progress.db when XDG_DATA_HOME is unset or not absolute.
QString progressStorePath();

// A finished exam as the score history shows it.
struct ScoreRecord
{
    qint64 finishedMs = 0;
    QString category;
    int score = 0;
    bool passed = false;
    bool timedOut = false;
    qint64 durationMs = 0;
};

// An exam that was neither handed in nor timed out when the program last stopped.
struct StoredSitting
{
    qint64 id = 0;
    QString category;
    qint64 startedMs = 0;
    ExamFormat format;
    QVector<PaperQuestion> paper;
    QVector<qint32> choices;
};

// One judged answer to a question, as the book takes it.
struct JudgedAnswer
{
    qint32 question = 0;
    bool right = false;
};

// The wrong-question book, the exams in progress and the score history, in one SQLite file in
// WAL mode. Every change is one transaction, so a kill at any moment loses at most the change
// being written; other instances wait for a writer instead of failing. Book entries are keyed
// by the bank's fingerprint and the question id, so two banks never share a book. A file that
// is damaged or not ours is renamed aside (notice() says so) and a fresh one takes its place.
// Its pages are checked at opening only when it changed since the last clean close (a record
// beside it, progress.db-closed, holds its size and modification time then).
// Failures throw a Failure naming the file and the reason.
class ProgressStore
{
public:
    explicit ProgressStore(const QString &path = progressStorePath());
    ~ProgressStore();
    ProgressStore(const ProgressStore &) = delete;
    ProgressStore &operator=(const ProgressStore &) = delete;

    const QString &path() const { return m_path; }
    // Set when opening found a damaged or foreign file and put it aside; empty otherwise.
    const QString &notice() const { return m_notice; }

    // One judged answer (in practice, in the book drill) applied to the book.
    void recordAnswer(const QString &bank, qint32 question, bool right);
    // Several judged answers applied to the book in one transaction; each question at most once.
    void recordAnswers(const QString &bank, const QVector<JudgedAnswer> &answers);
    BookState bookState(const QString &bank, qint32 question) const;
    // The book's questions for this bank, in the order they went in.
    QVector<qint32> bookQuestions(const QString &bank) const;

    // A new sitting with its paper; returns its id.
    qint64 beginSitting(const QString &bank, const QString &category, const ExamSession &session);
    void recordSittingAnswer(qint64 sitting, int position, qint32 choice);
    // Stores the result and, in the same transaction, applies every answered question to the book.
    void finishSitting(const QString &bank, qint64 sitting, const ExamSession &session);
    std::optional<StoredSitting> unfinishedSitting(const QString &bank, const QString &category) const;

    // The last `count` finished exams of a category, oldest first.
    QVector<ScoreRecord> recentScores(const QString &category, int count) const;

private:
    void open();
    bool tryOpen(QString &problem);
    QString fileProblem(bool checkPages, bool &current);
    bool unchangedSinceCleanClose() const;
    void recordCleanClose() const;
    void adoptSchema();
    void setAside(const QString &problem);
    void checkStoredSitting(const StoredSitting &stored) const;
    void applyToBook(const QString &bank, const QVector<JudgedAnswer> &answers);

    QString m_path;
    QString m_notice;
    SqliteDb m_db;
};

} // namespace kemuyi
