// kemuyi-bank: builds the question bank from its TSV source, checks a bank against what the
// program relies on, counts its questions per category, writes it back as TSV and converts Jet
// (Access .mdb) banks.

#include "JetInput.h"
#include "bank/BankTool.h"
#include "bank/QuestionSource.h"
#include "common/Failure.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

using namespace kemuyi;

namespace {

enum ExitCode { Success = 0, BadInput = 1, UsageError = 2 };

const char kUsage[] =
    "用法：\n"
    "  kemuyi-bank build SOURCE -o OUT [--distinct PAIRS]\n"
    "                                         由 TSV 源文件建成题库（先全部检查，无误才写入）；\n"
    "                                         PAIRS 列出经审核、字面相近但考点不同的题对\n"
    "  kemuyi-bank check BANK [--assets DIR]  检查题库（含答案分布、近似重复题）；\n"
    "                                         给出 DIR 时也检查 DIR/pic/ 中的插图\n"
    "  kemuyi-bank stats BANK                 按类别、按类别组（TYPE）统计题数、解析和答案最长\n"
    "                                         的占比，并按主题和类别统计\n"
    "  kemuyi-bank export BANK [-o FILE]      按题号顺序导出为 TSV（默认写到标准输出）\n"
    "  kemuyi-bank import MDB OUT [--charset 编码]  把 Jet（Access .mdb）题库转换为本程序的题库\n"
    "  kemuyi-bank --help                     显示本说明\n"
    "退出码：0 成功，1 输入有误或检查发现问题，2 用法错误。\n";

void printError(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

void printErrors(const QStringList &lines)
{
    for (const QString &line : lines)
        printError(line);
}

struct UsageFailure
{
    QString message;
};

// The command's positional arguments and its options that take a value.
struct Arguments
{
    QStringList positional;
    std::optional<QString> output;
    std::optional<QString> assets;
    std::optional<QString> distinct;
};

Arguments parseArguments(const QStringList &args, const QStringList &allowedOptions)
{
    Arguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            parsed.positional.append(arg);
            continue;
        }
        if (!allowedOptions.contains(arg))
            throw UsageFailure{QStringLiteral("不认识的选项 %1").arg(arg)};
        if (i + 1 >= args.size())
            throw UsageFailure{QStringLiteral("选项 %1 缺少参数").arg(arg)};
        const QString value = args.at(++i);
        if (arg == QLatin1String("--assets"))
            parsed.assets = value;
        else if (arg == QLatin1String("--distinct"))
            parsed.distinct = value;
        else
            parsed.output = value;
    }
    return parsed;
}

QString onlyPositional(const Arguments &args, const QString &what)
{
    if (args.positional.size() != 1)
        throw UsageFailure{QStringLiteral("需要且只需要一个%1").arg(what)};
    return args.positional.first();
}

const QStringList kOutputOptions = {QStringLiteral("-o"), QStringLiteral("--output")};

int runBuild(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, kOutputOptions + QStringList{QStringLiteral("--distinct")});
    const QString source = onlyPositional(parsed, QStringLiteral("源文件"));
    if (!parsed.output)
        throw UsageFailure{QStringLiteral("build 需要用 -o 指定输出的题库文件")};
    QVector<ReviewedPair> reviewed;
    if (parsed.distinct) {
        const ParsedPairs pairs = parseReviewedPairs(readSourceFile(*parsed.distinct));
        if (!pairs.ok()) {
            printErrors(pairs.problems);
            printError(QStringLiteral("%1 有 %2 处问题，未生成题库").arg(*parsed.distinct).arg(pairs.problems.size()));
            return BadInput;
        }
        reviewed = pairs.pairs;
    }
    const ParsedSource result = buildBank(readSourceFile(source), *parsed.output, reviewed);
    if (!result.ok()) {
        printErrors(result.problems);
        printError(QStringLiteral("%1 有 %2 处问题，未生成题库").arg(source).arg(result.problems.size()));
        return BadInput;
    }
    printError(QStringLiteral("已生成题库 %1：%2 道题").arg(*parsed.output).arg(result.rows.size()));
    return Success;
}

int runCheck(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, {QStringLiteral("--assets")});
    const QString bank = onlyPositional(parsed, QStringLiteral("题库文件"));
    const ReadableBank readable(bank);
    const QStringList problems = checkBank(readable.path(), parsed.assets.value_or(QString()));
    if (!problems.isEmpty()) {
        printErrors(problems);
        printError(QStringLiteral("%1 有 %2 处问题").arg(bank).arg(problems.size()));
        return BadInput;
    }
    printError(QStringLiteral("%1 检查通过").arg(bank));
    return Success;
}

int runStats(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, {});
    const QString bank = onlyPositional(parsed, QStringLiteral("题库文件"));
    const ReadableBank readable(bank);
    const BankStatistics stats = bankStatistics(readable.path());
    QString text = statsTable(stats.categories);
    text += QLatin1Char('\n') + statsTable(stats.types, QStringLiteral("类别组（TYPE）"));
    if (!stats.topicTable.isEmpty())
        text += QLatin1Char('\n') + stats.topicTable;
    std::fputs(text.toUtf8().constData(), stdout);
    return Success;
}

void writeStdout(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY); // the source's LF line ends must stay as they are
#endif
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0)
        throw Failure(QStringLiteral("写入标准输出失败"));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("无法写入 %1：%2").arg(path, file.errorString()));
}

int runExport(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, kOutputOptions);
    const QString bank = onlyPositional(parsed, QStringLiteral("题库文件"));
    const QByteArray bytes = exportBank(bank);
    if (parsed.output)
        writeFile(*parsed.output, bytes);
    else
        writeStdout(bytes);
    return Success;
}

int run(const QStringList &args)
{
    if (args.isEmpty())
        throw UsageFailure{QStringLiteral("缺少命令")};
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")
        || rest.contains(QStringLiteral("--help"))) {
        std::fputs(kUsage, stdout);
        return Success;
    }
    if (command == QLatin1String("build"))
        return runBuild(rest);
    if (command == QLatin1String("check"))
        return runCheck(rest);
    if (command == QLatin1String("stats"))
        return runStats(rest);
    if (command == QLatin1String("export"))
        return runExport(rest);
    if (command == QLatin1String("import"))
        return runImport(rest);
    throw UsageFailure{QStringLiteral("不认识的命令 %1").arg(command)};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(QCoreApplication::arguments().mid(1));
    } catch (const UsageFailure &usage) {
        printError(QStringLiteral("kemuyi-bank：%1").arg(usage.message));
        std::fputs(kUsage, stderr);
        return UsageError;
    } catch (const Failure &failure) {
        printError(failure.message());
        return BadInput;
    }
}
