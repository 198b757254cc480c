#include "JetConversion.h"

#include "Sqlite.h"

#include "common/AppPaths.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace kemuyi {

namespace {

// The import of 100,000 questions (14 MB) takes about a second; the rest is room for a slow or
// busy machine, or a build with sanitizers, which reads several times slower. Larger files get
// more time in proportion, up to a bound.
int g_timeLimitMs = 20'000;
constexpr qint64 kMsPerMegabyte = 2'000;
constexpr qint64 kLongestLimitMs = 600'000;

int timeLimitFor(const QString &source)
{
    const qint64 megabytes = QFileInfo(source).size() >> 20;
    return int(qMin(kLongestLimitMs, g_timeLimitMs + megabytes * kMsPerMegabyte));
}

Failure damaged(const QString &source, const QString &reason)
{
    return Failure(damagedBankMessage(source, reason));
}

// The tool's last line is its verdict, naming the file first; the message around it already does.
QString reasonFrom(const QString &source, const QByteArray &errorOutput)
{
    QString reason = QString::fromUtf8(errorOutput).trimmed();
    reason = reason.mid(reason.lastIndexOf(QLatin1Char('\n')) + 1);
    const QString prefix = source + QStringLiteral("：");
    if (reason.startsWith(prefix))
        reason = reason.mid(prefix.size());
    if (reason.isEmpty())
        reason = QStringLiteral("转换失败，没有给出原因");
    return reason;
}

} // namespace

QString bankToolPath()
{
#ifdef Q_OS_WIN
    return AppDir() + QStringLiteral("kemuyi-bank.exe");
#else
    return AppDir() + QStringLiteral("kemuyi-bank");
#endif
}

int jetConversionTimeLimitMs()
{
    return g_timeLimitMs;
}

void setJetConversionTimeLimitMs(int milliseconds)
{
    g_timeLimitMs = milliseconds;
}

void convertJetBank(const QString &source, const QString &destination)
{
    const QString tool = bankToolPath();
    if (!QFileInfo(tool).isExecutable())
        throw Failure(QStringLiteral("题库文件 %1 是 Access（Jet）格式，转换它所需的 %2 不存在").arg(source, tool));

    // The child writes into a folder of its own: whatever a killed child leaves goes with it.
    const QFileInfo target(destination);
    QTemporaryDir scratch(target.absolutePath() + QStringLiteral("/kemuyi-import-XXXXXX"));
    if (!scratch.isValid())
        throw Failure(QStringLiteral("无法在 %1 中创建题库副本：%2").arg(target.absolutePath(), scratch.errorString()));
    const QString converted = scratch.filePath(QStringLiteral("bank.lib"));

    QProcess child;
    child.setStandardOutputFile(QProcess::nullDevice());
    // The working copy is made anew at every start: no need to wait for the disk.
    child.start(tool, {QStringLiteral("import"), source, converted, QStringLiteral("--no-sync")});
    if (!child.waitForStarted())
        throw Failure(QStringLiteral("无法运行 %1：%2").arg(tool, child.errorString()));
    const int limit = timeLimitFor(source);
    if (!child.waitForFinished(limit)) {
        child.kill();
        child.waitForFinished();
        throw damaged(source, QStringLiteral("转换超过 %1 秒仍未完成，已中止").arg(limit / 1000.0));
    }
    if (child.exitStatus() != QProcess::NormalExit)
        throw damaged(source, QStringLiteral("转换程序异常终止"));
    if (child.exitCode() != 0)
        throw damaged(source, reasonFrom(source, child.readAllStandardError()));
    if (const auto error = replaceFile(converted, destination))
        throw Failure(QStringLiteral("无法写入题库副本 %1：%2").arg(destination, *error));
}

} // namespace kemuyi
