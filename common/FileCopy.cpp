#include "FileCopy.h"

#include "Failure.h"
#include "ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_LINUX
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace kemuyi {

namespace {

QString writeFailure(const QString &destination, const QString &reason)
{
    return QStringLiteral("写入题库副本 %1 失败：%2").arg(destination, reason);
}

// The source's size is taken before the copy; a file that grows or shrinks meanwhile would give
// a copy that matches neither state.
QString changedWhileCopied(const QString &source)
{
    return QStringLiteral("读取题库文件 %1 失败：文件在复制时发生了变化").arg(source);
}

#ifdef Q_OS_LINUX
enum class KernelCopy { Done, Unsupported };

// Lets the kernel move the bytes between the two open files, without a round trip through our
// memory. Falls back (Unsupported) only before the first byte, e.g. across file systems.
KernelCopy copyInKernel(QFile &in, QFile &out, const QString &source, const QString &destination)
{
    const qint64 expected = in.size();
    qint64 copied = 0;
    for (;;) {
        const ssize_t got = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr,
                                              size_t(qMax<qint64>(expected - copied, 1 << 20)), 0);
        if (got < 0) {
            const int error = errno;
            if (copied == 0 && (error == ENOSYS || error == EXDEV || error == EINVAL || error == EOPNOTSUPP))
                return KernelCopy::Unsupported;
            throw Failure(writeFailure(destination, QString::fromLocal8Bit(std::strerror(error))));
        }
        if (got == 0)
            break;
        copied += got;
    }
    if (copied != expected)
        throw Failure(changedWhileCopied(source));
    return KernelCopy::Done;
}
#endif

void copyBytes(QFile &in, QFile &out, const QString &source, const QString &destination)
{
#ifdef Q_OS_LINUX
    if (copyInKernel(in, out, source, destination) == KernelCopy::Done)
        return;
#endif
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    const qint64 expected = in.size();
    qint64 copied = 0;
    for (;;) {
        const qint64 got = in.read(buffer.data(), kChunk);
        if (got < 0)
            throw Failure(QStringLiteral("读取题库文件 %1 失败：%2").arg(source, in.errorString()));
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got)
            throw Failure(writeFailure(destination, out.errorString()));
        copied += got;
    }
    if (copied != expected)
        throw Failure(changedWhileCopied(source));
    if (!out.flush())
        throw Failure(writeFailure(destination, out.errorString()));
}

} // namespace

void FileCopy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法打开题库文件 %1：%2").arg(source, in.errorString()));

    const QFileInfo destInfo(destination);
    QTemporaryFile out(destInfo.absolutePath() + QLatin1Char('/') + destInfo.fileName()
                       + QStringLiteral(".XXXXXX"));
    if (!out.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库副本：%2")
                          .arg(destInfo.absolutePath(), out.errorString()));

    copyBytes(in, out, source, destination);
    out.close();

    if (const auto error = replaceFile(out.fileName(), destination))
        throw Failure(QStringLiteral("无法写入题库副本 %1：%2").arg(destination, *error));
    out.setAutoRemove(false);
}

} // namespace kemuyi
