#include "Fixtures.h"

#include "Pictures.h"
#include "QuestionBank.h"
#include "common/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace kemuyi::bench {

namespace {

std::unique_ptr<QTemporaryDir> &root()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

QString withSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace

QString fixtureFolder(const QString &name)
{
    if (!root()) {
        root() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kemuyi-bench-XXXXXX"));
        if (!root()->isValid())
            qFatal("cannot create the fixture folder: %s", qPrintable(root()->errorString()));
    }
    const QString path = withSlash(root()->path() + QLatin1Char('/') + name);
    QDir().mkpath(path);
    return path;
}

QString useAppFolder()
{
    static bool written = false;
    const QString folder = fixtureFolder(QStringLiteral("app"));
    if (!written) {
        writeWindowPictures(folder);
        written = true;
    }
    setAppDirOverride(folder);
    return folder;
}

const QStringList &illustrationNames()
{
    static const QStringList names = writeIllustrations(useAppFolder(), 24);
    return names;
}

QString bankFolder(int questions)
{
    static std::map<int, QString> made;
    const auto found = made.find(questions);
    if (found != made.end())
        return found->second;
    const QString folder = fixtureFolder(QStringLiteral("bank-%1").arg(questions));
    writeQuestionBank(folder + QStringLiteral("e9p7k6m8.lib"), questions, illustrationNames());
    made.emplace(questions, folder);
    return folder;
}

QString bankPath(int questions)
{
    return bankFolder(questions) + QStringLiteral("e9p7k6m8.lib");
}

void useTempFolder(const QString &folder)
{
    qputenv("TMPDIR", QFile::encodeName(withSlash(folder)));
}

void releaseFixtures()
{
    setAppDirOverride(QString());
    root().reset();
}

} // namespace kemuyi::bench
