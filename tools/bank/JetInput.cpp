#include "JetInput.h"

#include "bank/BankFormat.h"
#include "common/Failure.h"
#include "jet/JetImport.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace kemuyi {

namespace {

void printLine(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

// libmdb prints its own notes on damaged files to the standard error; the verdict that follows
// says what matters, in the user's language, so the notes are kept off the terminal.
class QuietLibraryNotes
{
public:
    QuietLibraryNotes()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietLibraryNotes()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietLibraryNotes(const QuietLibraryNotes &) = delete;
    QuietLibraryNotes &operator=(const QuietLibraryNotes &) = delete;

private:
    int m_saved = -1;
};

int importQuietly(const QString &source, const QString &out, const jet::JetReadOptions &options = {},
                  bool durable = true)
{
    QuietLibraryNotes quiet;
    return jet::importJetBank(source, out, options, durable);
}

} // namespace

int runImport(const QStringList &args)
{
    QStringList files;
    jet::JetReadOptions options;
    bool durable = true;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--no-sync")) {
            durable = false;
        } else if (args.at(i) == QLatin1String("--charset") && i + 1 < args.size()) {
            options.charset = args.at(++i).toLatin1();
        } else if (args.at(i).startsWith(QLatin1Char('-'))) {
            printLine(QStringLiteral("kemuyi-bank：import 不认识选项 %1").arg(args.at(i)));
            return 2;
        } else {
            files.append(args.at(i));
        }
    }
    if (files.size() != 2) {
        printLine(QStringLiteral("kemuyi-bank：用法 kemuyi-bank import SOURCE.mdb OUT.lib [--charset 编码] [--no-sync]"));
        return 2;
    }
    const int questions = importQuietly(files.at(0), files.at(1), options, durable);
    printLine(QStringLiteral("已由 %1 生成题库 %2：%3 道题").arg(files.at(0), files.at(1)).arg(questions));
    return 0;
}

ReadableBank::ReadableBank(const QString &path) : m_path(path)
{
    const BankFormat format = detectBankFormatOfFile(path);
    if (format == BankFormat::Accdb)
        throw Failure(QStringLiteral("%1：Access 2007 及以后的 .accdb 格式不受支持；请在 Access 中另存为 2002-2003 格式（.mdb）").arg(path));
    if (!isJetFormat(format))
        return;
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid())
        throw Failure(QStringLiteral("无法创建临时目录：%1").arg(m_dir->errorString()));
    m_path = m_dir->filePath(QStringLiteral("bank.lib"));
    importQuietly(path, m_path, {}, false);
}

ReadableBank::~ReadableBank() = default;

} // namespace kemuyi
