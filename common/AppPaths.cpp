#include "AppPaths.h"

#include "Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kemuyi {

namespace {

QString &appDirOverride()
{
    static QString dir;
    return dir;
}

QString withTrailingSeparator(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace

QString AppDir()
{
    if (!appDirOverride().isEmpty())
        return withTrailingSeparator(appDirOverride());
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

void setAppDirOverride(const QString &dir)
{
    appDirOverride() = dir;
}

#ifdef Q_OS_UNIX
namespace {

QString privateFolderFailure(const QString &dir, const QString &reason)
{
    return QStringLiteral("无法使用临时目录 %1：%2").arg(dir, reason);
}

// A folder only this user can enter, made on first use: the temporary folder of everyone is not
// the place for a file of fixed name, since the first user's copy would shut every later user out.
// A folder of that name that is a link, not a folder, or not ours is refused, not followed.
QString privateTempFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir = !runtime.isEmpty() && QFileInfo(runtime).isDir()
                            ? withTrailingSeparator(runtime) + QStringLiteral("kemuyi")
                            : withTrailingSeparator(QDir::tempPath())
                                  + QStringLiteral("kemuyi-%1").arg(::geteuid());
    const QByteArray native = QFile::encodeName(dir);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        throw Failure(privateFolderFailure(dir, QString::fromLocal8Bit(std::strerror(errno))));
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw Failure(privateFolderFailure(dir, QStringLiteral("它不是目录，或是一个链接")));
    struct stat info = {};
    const bool ours = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
    // Ours but opened up by hand: closed again, as it was made.
    const bool private_ = ours && ((info.st_mode & 077) == 0 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    if (!ours)
        throw Failure(privateFolderFailure(dir, QStringLiteral("它不属于当前用户")));
    if (!private_)
        throw Failure(privateFolderFailure(dir, QStringLiteral("无法将它设为仅当前用户可用")));
    return withTrailingSeparator(dir);
}

} // namespace
#endif

QString GetTempDirectory()
{
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsEmpty("TMPDIR"))
        return privateTempFolder();
#endif
    const QString temp = QDir::tempPath();
    const QFileInfo info(temp);
    if (!temp.isEmpty() && info.isDir())
        return withTrailingSeparator(temp);
    // Qt answers with the path itself when it names a file, and with an empty one when it names
    // nothing at all.
    const QString named = qEnvironmentVariable("TMPDIR");
    if (!temp.isEmpty() && info.exists())
        throw Failure(QStringLiteral("临时目录（TMPDIR）%1 是一个文件，不是文件夹").arg(named));
    throw Failure(QStringLiteral("找不到可用的临时目录（TMPDIR=%1）").arg(named));
}

QString resolveAssetPath(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() || path.isEmpty())
        return path;

    const QString parent = info.path();
    QString resolvedParent = parent;
    if (!QFileInfo::exists(parent)) {
        if (parent == path || parent.isEmpty())
            return path;
        resolvedParent = resolveAssetPath(parent);
        if (!QFileInfo::exists(resolvedParent))
            return path;
    }

    const QString name = info.fileName();
    const QStringList entries = QDir(resolvedParent).entryList(QDir::AllEntries | QDir::Hidden
                                                               | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return withTrailingSeparator(resolvedParent) + entry;
    }
    return path;
}

} // namespace kemuyi
