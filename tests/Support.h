#pragma once

#include "bank/Question.h"
#include "common/Failure.h"
#include "exam/ProgressStore.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <optional>
#include <ostream>

// GoogleTest prints values it knows nothing of as raw bytes; these make a failing comparison of
// texts, byte strings and pictures read as what they are.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QByteArray &bytes, std::ostream *out);
void PrintTo(const QImage &image, std::ostream *out);

namespace kemuyi::test {

// A throw-away folder that also serves as AppDir and TMPDIR while it lives, so nothing a test
// does touches the real temporary directory or the build folder.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();

    QString path(const QString &name = {}) const;
    QString appDir() const { return path(QStringLiteral("app")) + QLatin1Char('/'); }
    QString tempDir() const { return path(QStringLiteral("tmp")) + QLatin1Char('/'); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldTmpdir;
    QByteArray m_oldDataHome;
    QByteArray m_oldConfigHome;
};

// Collects failure reports instead of showing boxes, for as long as it lives.
class FailureLog
{
public:
    FailureLog();
    ~FailureLog();
    const QStringList &captions() const;
    const QStringList &messages() const;
    void clear();
};

// Answers the program's yes-or-no questions instead of showing boxes, for as long as it lives;
// keeps the questions asked.
class ConfirmLog
{
public:
    explicit ConfirmLog(bool answer = false);
    ~ConfirmLog();
    void setAnswer(bool answer) { m_answer = answer; }
    const QStringList &questions() const { return m_questions; }

private:
    bool m_answer;
    QStringList m_questions;
};

Question choiceRow(qint64 id, const QString &type, const QString &answer = QStringLiteral("A"));
Question judgeRow(qint64 id, const QString &type, const QString &answer = QStringLiteral("正确"));

// Writes a bank with table TK and the given rows, in the given order. Unlike a built bank, TK
// has no key, so rows may repeat an id.
void writeBank(const QString &path, const QVector<Question> &rows);
// Runs SQL on a bank, for the cases writeBank does not make (NULLs, odd types).
void execOnBank(const QString &path, const QString &sql);

QImage solidImage(int width, int height, QRgb colour);
void writeJpeg(const QString &path, const QImage &image);
void writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);

} // namespace kemuyi::test

namespace kemuyi::test {

// Every picture file the program loads, each written in its real size and its own solid colour,
// so a test can tell from a control's picture which file it shows.
void writeAllPictures(const QString &appDir);
// The file a picture was loaded from, told by its colour; empty if none matches.
QString pictureName(const QImage &picture);

} // namespace kemuyi::test

namespace kemuyi::test {

// The message of the Failure that `f` throws; empty when it throws none.
template <typename F>
QString failureOf(F &&f)
{
    try {
        f();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return {};
}

} // namespace kemuyi::test

namespace kemuyi::test {

// How the kernel's file copy (copy_file_range) behaves in this test program while an instance
// lives: as the system has it, missing (old kernels, file systems without it: the copy falls back
// to reading and writing), ending early as a file that shrinks under the copy, or failing.
class KernelCopy
{
public:
    enum Mode { Real, Missing, EndsEarly, Fails };
    explicit KernelCopy(Mode mode);
    ~KernelCopy();
    KernelCopy(const KernelCopy &) = delete;
    KernelCopy &operator=(const KernelCopy &) = delete;

    static Mode mode();
    // How many times the copy asked the kernel.
    static int calls();

private:
    Mode m_previous;
};

} // namespace kemuyi::test

namespace kemuyi::test {

// Starts `program` on the offscreen platform with a private TMPDIR, expects the working copy of
// the bank to appear identical to `bank`, then stops it with SIGTERM and expects a normal exit.
void expectProgramCopiesBankAndStops(const QString &program, const QString &bank);

// A judged answer that always counts: in a run of its own, a day after the one before.
JudgedAnswer answerInNewRun(qint32 question, bool right, const QString &category = QStringLiteral("C1C2C3C4"));

} // namespace kemuyi::test
