#include "Support.h"

#include "bank/QuestionTable.h"
#include "bank/Sqlite.h"
#include "common/AppPaths.h"
#include "picture/JpegCodec.h"
#include "ui/Confirmation.h"
#include "ui/FailureReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>

void PrintTo(const QString &text, std::ostream *out)
{
    // Line breaks matter in the question text; they are shown, not acted on.
    *out << '"';
    for (const char c : text.toStdString()) {
        switch (c) {
        case '\r': *out << "\\r"; break;
        case '\n': *out << "\\n"; break;
        case '\t': *out << "\\t"; break;
        case '"': *out << "\\\""; break;
        case '\\': *out << "\\\\"; break;
        default: *out << c;
        }
    }
    *out << '"';
}

void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    // Short byte strings in full, long ones (banks, pictures) by size and their first bytes.
    constexpr qsizetype kShown = 64;
    *out << bytes.size() << " bytes \"";
    for (const char c : bytes.left(kShown)) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"')
            *out << c;
        else
            *out << "\\x" << QByteArray(1, c).toHex().constData();
    }
    *out << (bytes.size() > kShown ? "\"..." : "\"");
}

void PrintTo(const QImage &image, std::ostream *out)
{
    if (image.isNull()) {
        *out << "null picture";
        return;
    }
    const QRgb centre = image.pixel(image.width() / 2, image.height() / 2);
    *out << image.width() << "x" << image.height() << " picture, format " << int(image.format())
         << ", centre rgb(" << qRed(centre) << ", " << qGreen(centre) << ", " << qBlue(centre) << ")";
}

namespace kemuyi::test {

namespace {

QStringList &loggedCaptions()
{
    static QStringList captions;
    return captions;
}

QStringList &loggedMessages()
{
    static QStringList messages;
    return messages;
}

} // namespace

Sandbox::Sandbox()
{
    EXPECT_TRUE(m_dir.isValid());
    QDir(m_dir.path()).mkpath(QStringLiteral("app"));
    QDir(m_dir.path()).mkpath(QStringLiteral("tmp"));
    m_oldTmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tempDir()));
    // The learner's progress file too stays inside the sandbox.
    m_oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("data"))));
    // And so do the learner's settings.
    m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(QStringLiteral("config"))));
    setAppDirOverride(appDir());
}

Sandbox::~Sandbox()
{
    setAppDirOverride(QString());
    if (m_oldTmpdir.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_oldTmpdir);
    if (m_oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    if (m_oldConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
}

QString Sandbox::path(const QString &name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + name;
}

FailureLog::FailureLog()
{
    clear();
    setFailureReporter([](const QString &caption, const QString &message) {
        loggedCaptions().append(caption);
        loggedMessages().append(message);
    });
}

FailureLog::~FailureLog()
{
    setFailureReporter({});
}

const QStringList &FailureLog::captions() const
{
    return loggedCaptions();
}

const QStringList &FailureLog::messages() const
{
    return loggedMessages();
}

void FailureLog::clear()
{
    loggedCaptions().clear();
    loggedMessages().clear();
}

ConfirmLog::ConfirmLog(bool answer) : m_answer(answer)
{
    setConfirmer([this](const QString &, const QString &question) {
        m_questions.append(question);
        return m_answer;
    });
}

ConfirmLog::~ConfirmLog()
{
    setConfirmer({});
}

Question choiceRow(qint64 id, const QString &type, const QString &answer)
{
    const QString n = QString::number(id);
    Question question;
    question.id = id;
    question.type = type;
    question.subject = QStringLiteral("题目") + n;
    question.a = QStringLiteral("甲") + n;
    question.b = QStringLiteral("乙") + n;
    question.c = QStringLiteral("丙") + n;
    question.d = QStringLiteral("丁") + n;
    question.select = QStringLiteral("Y");
    question.answer = answer;
    return question;
}

Question judgeRow(qint64 id, const QString &type, const QString &answer)
{
    Question question;
    question.id = id;
    question.type = type;
    question.subject = QStringLiteral("判断") + QString::number(id);
    question.select = QStringLiteral("N");
    question.answer = answer;
    return question;
}

void writeBank(const QString &path, const QVector<Question> &rows)
{
    QFile::remove(path);
    SqliteDb db;
    db.openForWriting(path);
    QByteArray create = "CREATE TABLE TK (";
    for (int i = 0; i < kTkColumnCount; ++i)
        create += (i ? ", \"" : "\"") + columnName(Column(i)).toUtf8() + (i ? "\" TEXT" : "\" INTEGER");
    db.exec((create + ")").constData());
    SqliteTransaction transaction(db);
    SqliteStatement insert(db, insertIntoTkSql());
    for (const Question &row : rows) {
        insert.reset();
        bindQuestion(insert, row);
        insert.step();
    }
    transaction.commit();
}

void execOnBank(const QString &path, const QString &sql)
{
    SqliteDb db;
    db.openForWriting(path);
    db.exec(sql.toUtf8().constData());
}

QImage solidImage(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writeJpeg(const QString &path, const QImage &image)
{
    QDir().mkpath(QFileInfo(path).path());
    encodeJpegFile(image, path, 95);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace kemuyi::test

namespace kemuyi::test {

namespace {

struct PictureFile
{
    const char *name;
    int width;
    int height;
};

const PictureFile kPictures[] = {
    {"logo.jpg", 440, 300},      {"bground1.jpg", 690, 450},  {"bground2.jpg", 690, 450},
    {"a1a3b1.jpg", 153, 43},     {"a1a3b1_ovr.jpg", 153, 43}, {"a2b2.jpg", 153, 42},
    {"a2b2_ovr.jpg", 153, 42},   {"c1c2c3c4.jpg", 153, 42},   {"c1c2c3c4_ovr.jpg", 153, 42},
    {"m.jpg", 153, 41},          {"m_ovr.jpg", 153, 41},      {"def.jpg", 153, 43},
    {"def_ovr.jpg", 153, 43},    {"tc.jpg", 153, 41},         {"tc_ovr.jpg", 153, 41},
    {"1.jpg", 60, 40},           {"1_ovr.jpg", 60, 40},       {"2.jpg", 60, 40},
    {"2_ovr.jpg", 60, 40},       {"3.jpg", 60, 40},           {"3_ovr.jpg", 60, 40},
    {"4.jpg", 59, 41},           {"4_ovr.jpg", 59, 41},       {"5.jpg", 90, 40},
    {"5_ovr.jpg", 90, 40},       {"6.jpg", 90, 40},           {"6_ovr.jpg", 90, 40},
    {"7.jpg", 50, 40},           {"7_ovr.jpg", 50, 40},       {"dui.jpg", 60, 40},
    {"dui_ovr.jpg", 60, 40},     {"cuo.jpg", 60, 40},         {"cuo_ovr.jpg", 60, 40},
    {"sxlx.jpg", 110, 40},       {"sxlx_ovr.jpg", 110, 40},   {"jqlx.jpg", 110, 40},
    {"jqlx_ovr.jpg", 110, 40},   {"exit.jpg", 110, 40},       {"exit_ovr.jpg", 110, 40},
    {"uncheck.jpg", 110, 40},    {"checked.jpg", 110, 40},    {"chk_ovr.jpg", 110, 40},
    {"unchk_ovr.jpg", 110, 40},  {"thinking.jpg", 107, 107},  {"yes.jpg", 107, 107},
    {"no.jpg", 107, 107},        {"pic/sign.jpg", 120, 80},   {"pic/lamp.jpg", 100, 60},
    // The mock exam's buttons.
    {"mnks.jpg", 110, 30},       {"mnks_ovr.jpg", 110, 30},   {"jx.jpg", 56, 25}, {"jx_ovr.jpg", 56, 25},   {"ksks.jpg", 110, 40},
    {"ksks_ovr.jpg", 110, 40},   {"ctlx.jpg", 110, 40},       {"ctlx_ovr.jpg", 110, 40},
    {"fq.jpg", 110, 40},         {"fq_ovr.jpg", 110, 40},     {"jj.jpg", 110, 40},
    {"jj_ovr.jpg", 110, 40},     {"qrjj.jpg", 110, 40},       {"qrjj_ovr.jpg", 110, 40},
    {"jxdt.jpg", 110, 40},       {"jxdt_ovr.jpg", 110, 40},
    // Discarding an exam, and the study centre's smart review and statistics.
    {"fqks.jpg", 110, 40},       {"fqks_ovr.jpg", 110, 40},   {"qrfq.jpg", 110, 40},
    {"qrfq_ovr.jpg", 110, 40},   {"dcjl.jpg", 110, 40},       {"dcjl_ovr.jpg", 110, 40},
    {"ksfx.jpg", 110, 40},       {"ksfx_ovr.jpg", 110, 40},   {"znfx.jpg", 110, 34},
    {"znfx_ovr.jpg", 110, 34},   {"tj.jpg", 110, 34},         {"tj_ovr.jpg", 110, 34},
    // Reading aloud.
    {"ld.jpg", 34, 40},          {"ld_ovr.jpg", 34, 40},
};

// Five levels a channel, 50 apart: 125 colours that JPEG keeps well apart, enough for every file.
QRgb colourOf(int index)
{
    Q_ASSERT(index < 125);
    return qRgb(20 + (index % 5) * 50, 20 + ((index / 5) % 5) * 50, 20 + (index / 25) * 50);
}

} // namespace

void writeAllPictures(const QString &appDir)
{
    int index = 0;
    for (const PictureFile &file : kPictures)
        writeJpeg(appDir + QLatin1String(file.name), solidImage(file.width, file.height, colourOf(index++)));
}

QString pictureName(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const QRgb pixel = picture.pixel(picture.width() / 2, picture.height() / 2);
    int index = 0;
    for (const PictureFile &file : kPictures) {
        const QRgb colour = colourOf(index++);
        if (qAbs(qRed(pixel) - qRed(colour)) < 20 && qAbs(qGreen(pixel) - qGreen(colour)) < 20
            && qAbs(qBlue(pixel) - qBlue(colour)) < 20)
            return QLatin1String(file.name);
    }
    return QStringLiteral("(unknown)");
}

} // namespace kemuyi::test

namespace kemuyi::test {

void expectProgramCopiesBankAndStops(const QString &program, const QString &bank)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TMPDIR"), tmp.path());
    // Its own progress file: the learner's real one is no test's business, and a file left by
    // another build would be set aside with a box that holds the program past its SIGTERM.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), tmp.path());
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();

    const QString copy = tmp.path() + QStringLiteral("/e9p7k6m8.lib");
    const QByteArray expected = readBytes(bank);
    ASSERT_FALSE(expected.isEmpty()) << bank.toStdString();
    QElapsedTimer clock;
    clock.start();
    while (readBytes(copy) != expected && clock.elapsed() < 30'000)
        QTest::qWait(50);
    EXPECT_TRUE(readBytes(copy) == expected) << "no working copy identical to " << bank.toStdString();

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

} // namespace kemuyi::test

namespace kemuyi::test {

namespace {

KernelCopy::Mode &kernelCopyMode()
{
    static KernelCopy::Mode mode = KernelCopy::Real;
    return mode;
}

int &kernelCopyCalls()
{
    static int calls = 0;
    return calls;
}

} // namespace

KernelCopy::KernelCopy(Mode mode) : m_previous(kernelCopyMode())
{
    kernelCopyMode() = mode;
    kernelCopyCalls() = 0;
}

KernelCopy::~KernelCopy()
{
    kernelCopyMode() = m_previous;
}

KernelCopy::Mode KernelCopy::mode()
{
    return kernelCopyMode();
}

int KernelCopy::calls()
{
    return kernelCopyCalls();
}

JudgedAnswer answerInNewRun(qint32 question, bool right, const QString &category)
{
    static qint64 run = 0;
    ++run;
    return JudgedAnswer{question, right, false, Showing{run, 1}, 1'700'000'000'000LL + run * 24 * 3600 * 1000, category};
}

} // namespace kemuyi::test

// Defined in the test program, this stands in for the C library's function for the code linked
// into it; KernelCopy decides what it does.
extern "C" ssize_t copy_file_range(int inFd, off64_t *inOffset, int outFd, off64_t *outOffset,
                                   size_t length, unsigned int flags) noexcept
{
    using kemuyi::test::KernelCopy;
    ++kemuyi::test::kernelCopyCalls();
    switch (KernelCopy::mode()) {
    case KernelCopy::Missing:
        errno = ENOSYS;
        return -1;
    case KernelCopy::EndsEarly:
        return 0;
    case KernelCopy::Fails:
        errno = EIO;
        return -1;
    case KernelCopy::Real:
        break;
    }
    using Function = ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned int);
    static const auto real = reinterpret_cast<Function>(dlsym(RTLD_NEXT, "copy_file_range"));
    if (!real) {
        errno = ENOSYS;
        return -1;
    }
    return real(inFd, inOffset, outFd, outOffset, length, flags);
}
