// Arbitrary bytes as the learner's progress file, the one file the program writes that a crash,
// a full disk or another tool can damage. Opening it always succeeds: a file the store cannot
// use is set aside with its bytes as they were, the notice names both files, and a fresh file
// takes its place. Reading the book, the score history, an unfinished sitting and the other
// views of the learner's answers must each either answer or throw a Failure.
//
//   fuzz_progress --make-seeds DIR   writes the seeds, real progress files made by the store
//                                    itself, and exits

#include "FuzzSupport.h"

#include "bank/Category.h"
#include "common/Failure.h"
#include "exam/ExamRules.h"
#include "exam/ExamSession.h"
#include "exam/ProgressStore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace kemuyi;

namespace {

// The bank key the seeds are written under, so the reads below find their rows.
const QString kBank = QStringLiteral("0f1e2d3c4b5a69788796a5b4c3d2e1f0");
const QString kOtherBank = QStringLiteral("ffffffffffffffffffffffffffffffff");

// More ids add time per input, not new paths.
constexpr int kMaxBookIds = 20;

QString folder()
{
    static const QString dir = fuzz::privateDir() + QStringLiteral("/progress");
    return dir;
}

QString storePath()
{
    return folder() + QStringLiteral("/progress.db");
}

// The previous input's file, its journals and whatever it had set aside must not meet this one.
void emptyFolder()
{
    QDir dir(folder());
    if (!dir.exists() && !QDir().mkpath(folder()))
        fuzz::violated("cannot make the scratch folder", folder());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(name));
}

template <typename Read>
void tolerateFailure(Read &&read)
{
    try {
        read();
    } catch (const Failure &failure) {
        if (failure.message().isEmpty())
            fuzz::violated("a failure without a reason");
    }
}

void readEverything(ProgressStore &store)
{
    for (const QString &bank : {kBank, kOtherBank}) {
        tolerateFailure([&] {
            const QVector<qint32> book = store.bookQuestions(bank);
            for (int i = 0; i < book.size() && i < kMaxBookIds; ++i)
                tolerateFailure([&] { store.bookState(bank, book.at(i)); });
        });
        tolerateFailure([&] { store.questionRecords(bank); });
        for (const QString &category : categoryCodes()) {
            tolerateFailure([&] { store.unfinishedSitting(bank, category); });
            tolerateFailure([&] { store.recentAnswers(bank, category, 20); });
            tolerateFailure([&] { store.answerDays(bank, category); });
        }
    }
    for (const QString &category : categoryCodes())
        tolerateFailure([&] { store.recentScores(category, 20); });
    tolerateFailure([&] { store.allScores(); });
    tolerateFailure([&] { store.dailyReviewLimit(); });
}

// A file set aside keeps the learner's bytes, under a name the notice gives; the store that took
// its place starts empty.
void checkSetAside(ProgressStore &store, const QByteArray &input)
{
    const QStringList aside = QDir(folder()).entryList({QStringLiteral("progress.db.bad-*")}, QDir::Files);
    const QStringList main = aside.filter(QRegularExpression(QStringLiteral("\\d$")));
    if (main.size() != 1)
        fuzz::violated("a damaged file was not set aside once", aside.join(QLatin1Char(' ')));
    const QString kept = folder() + QLatin1Char('/') + main.first();
    if (!store.notice().contains(kept) || !store.notice().contains(storePath()))
        fuzz::violated("the notice does not name both files", store.notice());
    QFile file(kept);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != input)
        fuzz::violated("the file set aside is not the learner's file as it was", kept);
    tolerateFailure([&] {
        if (!store.bookQuestions(kBank).isEmpty() || store.unfinishedSitting(kBank, QStringLiteral("DEF"))
            || !store.recentScores(QStringLiteral("DEF"), 1).isEmpty())
            fuzz::violated("the fresh file after setting one aside is not empty");
    });
}

// ---- seeds ----

ExamSession sitting(const QString &category, int size, qint64 startedMs, qint64 *now)
{
    QVector<PaperQuestion> paper;
    for (int i = 0; i < size; ++i)
        paper.append(PaperQuestion{qint32(200 + 3 * i), qint32(1 + i % 6)});
    return ExamSession(examFormatFor(category), paper, startedMs, [now] { return *now; });
}

void writeProgress(const QString &path, int finished, bool unfinished)
{
    QFile::remove(path);
    qint64 now = 1'700'000'000'000;
    ProgressStore store(path);
    // Two practice runs a day apart, then the other bank.
    const auto answer = [&](qint64 run, int number, qint32 id, bool right) {
        return JudgedAnswer{id, right, false, Showing{run, number}, now, QStringLiteral("C1C2C3C4")};
    };
    for (qint32 id = 1; id <= 12; ++id)
        store.recordAnswer(kBank, answer(now, id, id, id % 3 == 0));
    now += 86'400'000;
    store.recordAnswer(kBank, answer(now, 1, 3, true));  // a streak of two: out of the book again
    store.recordAnswer(kBank, answer(now, 2, 4, true));
    store.recordAnswer(kOtherBank, answer(now, 3, 7, false));
    store.setDailyReviewLimit(80);
    for (int n = 0; n < finished; ++n) {
        const QString category = n % 2 ? QStringLiteral("DEF") : QStringLiteral("C1C2C3C4");
        ExamSession session = sitting(category, 10, now, &now);
        const qint64 id = store.beginSitting(kBank, category, session);
        for (int position = 0; position < session.size(); position += 1 + n % 2) {
            session.goTo(position);
            session.answer(1 + (position + n) % 4);
            store.recordSittingAnswer(id, position, session.choiceAt(position));
        }
        now += 60'000 * (5 + n);
        session.handIn();
        store.finishSitting(kBank, id, session);
    }
    if (unfinished) {
        ExamSession session = sitting(QStringLiteral("DEF"), 8, now, &now);
        const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
        store.recordSittingAnswer(id, 0, 5);
        store.recordSittingAnswer(id, 5, 2);
    }
}

// The same content in 512-byte pages, so the fuzzer mutates a few kilobytes, not tens.
void shrink(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        fuzz::violated("cannot copy a seed", to);
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(to.toUtf8().constData(), &db) == SQLITE_OK
                    && sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA page_size=512; VACUUM;", nullptr,
                                    nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok)
        fuzz::violated("cannot shrink a seed", to);
}

void makeSeeds(const QString &dir)
{
    if (!QDir().mkpath(dir))
        fuzz::violated("cannot make the seed folder", dir);
    const QString work = fuzz::privateDir() + QStringLiteral("/seeds");
    QDir().mkpath(work);
    struct Seed { const char *name; int finished; bool unfinished; };
    for (const Seed &seed : {Seed{"empty", 0, false}, Seed{"book-and-scores", 3, false},
                             Seed{"unfinished-sitting", 1, true}, Seed{"everything", 4, true}}) {
        const QString made = work + QStringLiteral("/%1.db").arg(QLatin1String(seed.name));
        writeProgress(made, seed.finished, seed.unfinished);
        const QString full = dir + QStringLiteral("/seed-%1.db").arg(QLatin1String(seed.name));
        const QString small = dir + QStringLiteral("/seed-%1-small.db").arg(QLatin1String(seed.name));
        QFile::remove(full);
        if (!QFile::copy(made, full))
            fuzz::violated("cannot write a seed", full);
        shrink(made, small);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i + 1 < *argc; ++i) {
        if (std::strcmp((*argv)[i], "--make-seeds") == 0) {
            makeSeeds(QString::fromLocal8Bit((*argv)[i + 1]));
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    emptyFolder();
    fuzz::writeInput(storePath(), data, size);
    // The folder is writable: whatever the bytes, the store opens, on them or on a fresh file
    // after setting them aside. A file it can neither use nor move would stop every later run
    // from saving anything.
    std::optional<ProgressStore> store;
    try {
        store.emplace(storePath());
    } catch (const Failure &failure) {
        fuzz::violated("a progress file neither used nor set aside", failure.message());
    }
    if (!store->notice().isEmpty())
        checkSetAside(*store, fuzz::inputBytes(data, size));
    readEverything(*store);
    // One write as the practice window makes it, on whatever the file turned out to be.
    tolerateFailure([&] {
        store->recordAnswer(kBank, JudgedAnswer{1, false, false, Showing{1, 1}, 1'700'000'000'000, QStringLiteral("M")});
    });
    return 0;
}
