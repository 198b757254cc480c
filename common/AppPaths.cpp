#include "AppPaths.h"

#include "Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

QString GetTempDirectory()
{
    const QString temp = QDir::tempPath();
    if (temp.isEmpty() || !QFileInfo(temp).isDir()) {
        throw Failure(QStringLiteral("找不到可用的临时目录（TMPDIR=%1）")
                          .arg(qEnvironmentVariable("TMPDIR")));
    }
    return withTrailingSeparator(temp);
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
