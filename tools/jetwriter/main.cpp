// kemuyi-jetwrite: writes a question source as a Jet 3 or Jet 4 file, for tests and benchmarks.

#include "JetWriter.h"

#include "bank/QuestionSource.h"
#include "common/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

using namespace kemuyi;

namespace {

const char kUsage[] = "usage: kemuyi-jetwrite [--jet3] [--code-page N] [--no-compress] [--inline-memo BYTES] SOURCE.tsv OUT\n";

int run(const QStringList &args)
{
    jet::JetWriteOptions options;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--jet3"))
            options.version = jet::JetVersion::Jet3;
        else if (arg == QLatin1String("--no-compress"))
            options.compressText = false;
        else if (arg == QLatin1String("--code-page") && hasValue)
            options.codePage = args.at(++i).toInt();
        else if (arg == QLatin1String("--inline-memo") && hasValue)
            options.inlineMemoBytes = args.at(++i).toInt();
        else if (arg.startsWith(QLatin1Char('-')))
            throw Failure(QStringLiteral("unknown option %1").arg(arg));
        else
            files.append(arg);
    }
    if (files.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QFile in(files.at(0));
    if (!in.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("cannot read %1: %2").arg(files.at(0), in.errorString()));
    const ParsedSource source = parseSource(in.readAll());
    if (!source.ok())
        throw Failure(source.problems.join(QLatin1Char('\n')));
    QVector<Question> rows;
    for (const SourceRow &row : source.rows)
        rows.append(row.question);
    const QByteArray bytes = jet::writeJetFile({jet::questionTable(rows)}, options);
    QSaveFile out(files.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw Failure(QStringLiteral("cannot write %1: %2").arg(files.at(1), out.errorString()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(QCoreApplication::arguments().mid(1));
    } catch (const Failure &failure) {
        std::fprintf(stderr, "kemuyi-jetwrite: %s\n", failure.what());
        return 1;
    }
}
