#pragma once

#include "ExamSession.h"
#include "MemoryModel.h"
#include "WrongBook.h"
#include "bank/Sqlite.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>
#include <unordered_map>

namespace kemuyi {

// The learner's own progress file: $XDG_DATA_HOME/kemuyi/progress.db, or
// ~/.local/share/kemuyi/progress.db when XDG_DATA_HOME is unset or not absolute.
QString progressStorePath();

// Where an exam's answer was given: the sitting is its run (kept apart from practice runs, which
// are numbered by their start time), and each position is one showing.
inline Showing sittingShowing(qint64 sitting, int position)
{
    return Showing{-sitting, position + 1};
}

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

// One judged answer to a question, as the learner gave it.
struct JudgedAnswer
{
    qint32 question = 0;
    bool right = false;
    // The hint was shown, or a wrong answer given, earlier on the same showing: whatever was
    // pressed now, the learner did not recall the question.
    bool helped = false;
    Showing showing;
    qint64 atMs = 0;
    QString category; // the category being practised, for its statistics
};

// What the progress file knows of one question the learner has answered.
struct QuestionRecord
{
    qint32 question = 0;
    MemoryState memory;
    int answers = 0; // counted answers: the first judged answer in each run
    int right = 0;
};

namespace review {
constexpr int defaultDailyLimit = 50;
constexpr int minimumDailyLimit = 5;
constexpr int maximumDailyLimit = 500;
} // namespace review

// The counted answers of one local calendar day.
struct DayTally
{
    qint64 julianDay = 0;
    int answers = 0;
    int right = 0;
};

struct RecentAnswer
{
    qint32 question = 0;
    bool right = false;
    qint64 atMs = 0;
};

// The wrong-question book, each question's memory state and counted answers, the exams in
// progress and the score history, in one SQLite file in WAL mode. Every change is one transaction, so a kill at any moment loses at most the change
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

    // One judged answer (in practice, a topic run, smart review, the book drill) applied to the
    // question's memory state, the book and the statistics, in one transaction. Only the first
    // answer of a showing counts: later presses on the same showing change nothing. Only the
    // first counted answer of a run enters the statistics.
    void recordAnswer(const QString &bank, const JudgedAnswer &answer);
    // Several, in order, in one transaction.
    void recordAnswers(const QString &bank, const QVector<JudgedAnswer> &answers);
    BookState bookState(const QString &bank, qint32 question) const;
    // The book's questions for this bank, in the order they went in.
    QVector<qint32> bookQuestions(const QString &bank) const;

    // A new sitting with its paper; returns its id.
    qint64 beginSitting(const QString &bank, const QString &category, const ExamSession &session);
    void recordSittingAnswer(qint64 sitting, int position, qint32 choice);
    // Stores the result and, in the same transaction, applies every answered question to the book.
    void finishSitting(const QString &bank, qint64 sitting, const ExamSession &session);
    // Ends an unfinished sitting without a score: it never enters the history, but its answered
    // questions feed the memory states and the book as of `nowMs`, in the same transaction.
    void discardSitting(const QString &bank, qint64 sitting, const ExamSession &session, qint64 nowMs);
    std::optional<StoredSitting> unfinishedSitting(const QString &bank, const QString &category) const;

    // The last `count` finished exams of a category, oldest first.
    QVector<ScoreRecord> recentScores(const QString &category, int count) const;
    // Every finished exam of every category, oldest first.
    QVector<ScoreRecord> allScores() const;

    // Every question of this bank the learner has answered, by id.
    QHash<qint32, QuestionRecord> questionRecords(const QString &bank) const;
    // The category's last `count` counted answers, newest first.
    QVector<RecentAnswer> recentAnswers(const QString &bank, const QString &category, int count) const;
    // How many questions a smart-review run takes at most, as the learner set it.
    int dailyReviewLimit() const;
    void setDailyReviewLimit(int limit);

    // The category's counted answers per local day, newest day first; only days with answers.
    QVector<DayTally> answerDays(const QString &bank, const QString &category) const;

private:
    void open();
    bool tryOpen(QString &problem);
    QString fileProblem(bool checkPages, qint64 &version);
    bool unchangedSinceCleanClose() const;
    void recordCleanClose() const;
    void adoptSchema(qint64 version);
    void setAside(const QString &problem);
    void checkStoredSitting(const StoredSitting &stored) const;
    void applyAnswer(const QString &bank, const JudgedAnswer &answer);
    void applyToBook(const QString &bank, const JudgedAnswer &answer, bool remembered);
    void applySittingAnswers(const QString &bank, qint64 sitting, const ExamSession &session, qint64 atMs);
    QVector<ScoreRecord> readScores(SqliteStatement &read) const;
    // A statement prepared once and kept: an answer runs several, and preparing them anew would
    // cost more than running them.
    SqliteStatement &statement(const char *sql) const;

    QString m_path;
    QString m_notice;
    SqliteDb m_db;
    mutable std::unordered_map<const char *, std::unique_ptr<SqliteStatement>> m_statements;
};

} // namespace kemuyi
