// The installed program: what `cmake --install` and the .deb put on disk, checked on disk and by
// starting the installed program through its launcher.

#include "Support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace kemuyi::test;

namespace {

struct ToolRun
{
    int exitCode = -1; // -1: did not start, crashed or timed out
    QString output;
};

ToolRun runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForStarted() && process.waitForFinished(300'000);
    ToolRun run;
    run.output = QString::fromUtf8(process.readAll());
    if (finished && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    else
        run.output += process.errorString();
    return run;
}

QString appDirUnder(const QString &prefix)
{
    return prefix + QStringLiteral("/" KEMUYI_INSTALL_LIBDIR "/kemuyi");
}

QString onlyFile(const QString &folder, const QString &pattern)
{
    const QStringList files = QDir(folder).entryList({pattern}, QDir::Files);
    EXPECT_EQ(files.size(), 1) << folder.toStdString() << ": " << files.join(QLatin1Char(' ')).toStdString();
    return files.isEmpty() ? QString() : folder + QLatin1Char('/') + files.first();
}

// The program, its bank and every picture side by side, and bin/ linking to them.
void expectProgramFolder(const QString &prefix)
{
    const QString appDir = appDirUnder(prefix);
    for (const QString &program : {QStringLiteral("kemuyi"), QStringLiteral("kemuyi-bank")}) {
        const QFileInfo launcher(prefix + QStringLiteral("/bin/") + program);
        const QFileInfo real(appDir + QLatin1Char('/') + program);
        EXPECT_TRUE(launcher.isSymLink()) << program.toStdString();
        EXPECT_TRUE(real.isExecutable()) << program.toStdString();
        EXPECT_EQ(launcher.canonicalFilePath().toStdString(), real.canonicalFilePath().toStdString());
    }
    EXPECT_TRUE(readBytes(appDir + QStringLiteral("/examdb.lib"))
                == readBytes(QStringLiteral(KEMUYI_BIN_DIR "/examdb.lib")))
        << "the installed examdb.lib is not the built one";
    for (const QString &folder : {QString(), QStringLiteral("/pic")}) {
        const QDir shipped(QStringLiteral(KEMUYI_SOURCE_DIR "/assets") + folder);
        const QStringList pictures = shipped.entryList({QStringLiteral("*.jpg")}, QDir::Files);
        ASSERT_FALSE(pictures.isEmpty());
        const QStringList installed = QDir(appDir + folder).entryList({QStringLiteral("*.jpg")}, QDir::Files);
        EXPECT_EQ(installed.join(QLatin1Char(' ')).toStdString(), pictures.join(QLatin1Char(' ')).toStdString());
        for (const QString &picture : installed) {
            EXPECT_TRUE(readBytes(appDir + folder + QLatin1Char('/') + picture)
                        == readBytes(shipped.filePath(picture))) << picture.toStdString() << " differs";
        }
    }
    // The bank tool, through its own launcher, finds every illustration the bank names.
    const ToolRun check = runTool(prefix + QStringLiteral("/bin/kemuyi-bank"),
                                  {QStringLiteral("check"), appDir + QStringLiteral("/examdb.lib"),
                                   QStringLiteral("--assets"), appDir});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
}

QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> entry;
    const QStringList lines = QString::fromUtf8(readBytes(path)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entry.insert(line.left(equals), line.mid(equals + 1));
    }
    return entry;
}

struct Metainfo
{
    QString id;
    QString launchable;
    QStringList releases;
    QStringList binaries;
};

Metainfo readMetainfo(const QString &path)
{
    Metainfo info;
    QXmlStreamReader xml(readBytes(path));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"id")
            info.id = xml.readElementText();
        else if (name == u"launchable" && xml.attributes().value(QLatin1String("type")) == u"desktop-id")
            info.launchable = xml.readElementText();
        else if (name == u"release")
            info.releases << xml.attributes().value(QLatin1String("version")).toString();
        else if (name == u"binary")
            info.binaries << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return info;
}

bool isSvgWithShapes(const QString &path)
{
    QXmlStreamReader xml(readBytes(path));
    if (!xml.readNextStartElement() || xml.name() != u"svg")
        return false;
    int paths = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"path")
            ++paths;
    }
    return !xml.hasError() && paths > 0;
}

// The menu entry, the metainfo and the icons all name one application id, and each points at
// something that is installed.
void expectDesktopIntegration(const QString &prefix)
{
    const QString share = prefix + QStringLiteral("/share");
    const QString desktopFile = onlyFile(share + QStringLiteral("/applications"), QStringLiteral("*.desktop"));
    const QString metainfoFile = onlyFile(share + QStringLiteral("/metainfo"), QStringLiteral("*.metainfo.xml"));
    ASSERT_FALSE(desktopFile.isEmpty() || metainfoFile.isEmpty());
    const QString id = QFileInfo(desktopFile).completeBaseName();

    const QMap<QString, QString> entry = desktopEntry(desktopFile);
    EXPECT_EQ(entry.value(QStringLiteral("Icon")).toStdString(), id.toStdString());
    EXPECT_TRUE(QFileInfo::exists(prefix + QStringLiteral("/bin/") + entry.value(QStringLiteral("Exec"))));

    const Metainfo info = readMetainfo(metainfoFile);
    EXPECT_EQ(info.id.toStdString(), id.toStdString());
    EXPECT_EQ(info.launchable.toStdString(), QFileInfo(desktopFile).fileName().toStdString());
    EXPECT_TRUE(info.releases.contains(QStringLiteral(KEMUYI_VERSION))) << "no release " KEMUYI_VERSION;
    for (const QString &binary : info.binaries)
        EXPECT_TRUE(QFileInfo::exists(prefix + QStringLiteral("/bin/") + binary)) << binary.toStdString();

    const QString icons = share + QStringLiteral("/icons/hicolor/");
    for (int size : {48, 128}) {
        const QImage icon(icons + QStringLiteral("%1x%1/apps/").arg(size) + id + QStringLiteral(".png"));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel()) << "icon " << size << " has no transparent corners";
    }
    EXPECT_TRUE(isSvgWithShapes(icons + QStringLiteral("scalable/apps/") + id + QStringLiteral(".svg")));
}

// The installed launcher starts the program, which copies the installed bank and quits on SIGTERM.
void expectStartsAndStopsOnTerm(const QString &prefix)
{
    expectProgramCopiesBankAndStops(prefix + QStringLiteral("/bin/kemuyi"),
                                    appDirUnder(prefix) + QStringLiteral("/examdb.lib"));
}

void validate(const char *tool, const QStringList &arguments, const char *package)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    ASSERT_FALSE(program.isEmpty()) << tool << " is missing: install " << package
                                    << " (scripts/install-deps)";
    const ToolRun run = runTool(program, arguments);
    EXPECT_EQ(run.exitCode, 0) << tool << ":\n" << run.output.toStdString();
    EXPECT_FALSE(run.output.contains(QStringLiteral("warning:"))) << run.output.toStdString();
}

class InstalledTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        const ToolRun install = runTool(QStringLiteral(KEMUYI_CMAKE),
                                        {QStringLiteral("--install"), QStringLiteral(KEMUYI_BUILD_DIR),
                                         QStringLiteral("--prefix"), prefix()});
        ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();
    }

    QString prefix() const { return scratch.path() + QStringLiteral("/prefix"); }

    QTemporaryDir scratch;
};

} // namespace

TEST_F(InstalledTree, KeepsProgramBankAndPicturesTogether)
{
    expectProgramFolder(prefix());
}

TEST_F(InstalledTree, DesktopEntryMetainfoAndIconsAgreeAndValidate)
{
    expectDesktopIntegration(prefix());
    const QString share = prefix() + QStringLiteral("/share");
    validate("desktop-file-validate",
             {onlyFile(share + QStringLiteral("/applications"), QStringLiteral("*.desktop"))},
             "desktop-file-utils");
    validate("appstreamcli",
             {QStringLiteral("validate"), QStringLiteral("--no-net"),
              onlyFile(share + QStringLiteral("/metainfo"), QStringLiteral("*.metainfo.xml"))},
             "appstream");
}

// A Jet (.mdb) bank put in place of the installed one is converted by the installed bank tool,
// found beside the program through the launcher's link.
TEST_F(InstalledTree, ConvertsAJetBankWithTheInstalledTool)
{
    const QString bank = appDirUnder(prefix()) + QStringLiteral("/examdb.lib");
    ASSERT_TRUE(QFile::remove(bank));
    const ToolRun write = runTool(QStringLiteral(KEMUYI_BIN_DIR "/kemuyi-jetwrite"),
                                  {QStringLiteral(KEMUYI_SOURCE_DIR "/assets/questions.tsv"), bank});
    ASSERT_EQ(write.exitCode, 0) << write.output.toStdString();

    QTemporaryDir tmp;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TMPDIR"), tmp.path());
    // Its own progress file: the learner's real one is no test's business, and a file left by
    // another build would be set aside with a box that holds the program past its SIGTERM.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), tmp.path());
    process.setProcessEnvironment(environment);
    process.start(prefix() + QStringLiteral("/bin/kemuyi"), {});
    ASSERT_TRUE(process.waitForStarted());
    const QString copy = tmp.path() + QStringLiteral("/e9p7k6m8.lib");
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(copy) && clock.elapsed() < 30'000)
        QTest::qWait(50);
    process.terminate();
    EXPECT_TRUE(process.waitForFinished(10'000));
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no working copy";
    EXPECT_EQ(file.read(16), QByteArray("SQLite format 3\0", 16));
}

TEST_F(InstalledTree, StartsThroughItsLauncherAfterTheTreeIsMoved)
{
    // Moving the prefix catches launchers that point at the place of installation.
    const QString moved = scratch.path() + QStringLiteral("/moved");
    ASSERT_TRUE(QDir().rename(prefix(), moved));
    expectStartsAndStopsOnTerm(moved);
}

// The package as a Debian user's lintian sees it: no error and no warning. Nothing is let
// through today; a tag that ever must be needs its reason in the README.
void expectLintianFindsNoFault(const QString &deb)
{
    if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty()) {
        ADD_FAILURE() << "lintian is missing (scripts/install-deps installs it)";
        return;
    }
    const ToolRun lintian = runTool(QStringLiteral("lintian"), {deb});
    QStringList faults;
    for (const QString &line : lintian.output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("E: ")) || line.startsWith(QLatin1String("W: ")))
            faults.append(line);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(lintian.exitCode, -1) << lintian.output.toStdString();
}

TEST(DebianPackage, DeclaresItsDependenciesAndRunsWhenUnpacked)
{
    // Without dpkg-dev (dpkg-shlibdeps) or file, CPack cannot compute the dependencies.
    for (const char *tool : {"dpkg", "dpkg-deb", "dpkg-shlibdeps", "file"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is missing, so the .deb cannot be built here";
    }
    if (!QFileInfo(QStringLiteral(KEMUYI_CPACK)).isExecutable())
        GTEST_SKIP() << "cpack is missing, so the .deb cannot be built here";

    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const ToolRun cpack = runTool(QStringLiteral(KEMUYI_CPACK),
                                  {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                   QStringLiteral(KEMUYI_BUILD_DIR "/CPackConfig.cmake"),
                                   QStringLiteral("-B"), work.path()});
    ASSERT_EQ(cpack.exitCode, 0) << cpack.output.toStdString();
    const QString deb = onlyFile(work.path(), QStringLiteral("kemuyi_*.deb"));
    ASSERT_FALSE(deb.isEmpty());

    const ToolRun control = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb});
    ASSERT_EQ(control.exitCode, 0) << control.output.toStdString();
    const QMap<QString, QString> fields = [&] {
        QMap<QString, QString> map;
        for (const QString &line : control.output.split(QLatin1Char('\n'))) {
            const qsizetype colon = line.indexOf(QStringLiteral(": "));
            if (colon > 0 && !line.startsWith(QLatin1Char(' ')))
                map.insert(line.left(colon), line.mid(colon + 2));
        }
        return map;
    }();
    EXPECT_EQ(fields.value(QStringLiteral("Package")).toStdString(), "kemuyi");
    EXPECT_EQ(fields.value(QStringLiteral("Version")).toStdString(), KEMUYI_VERSION);
    EXPECT_EQ(fields.value(QStringLiteral("Section")).toStdString(), "education");
    // fonts-noto-cjk and libmdb3 are named by hand; the libraries come from dpkg-shlibdeps.
    const QString depends = fields.value(QStringLiteral("Depends"));
    for (const char *package : {"fonts-noto-cjk", "libmdb3", "libqt6widgets6", "libqt6gui6", "libsqlite3-0", "libjpeg"})
        EXPECT_TRUE(depends.contains(QLatin1String(package))) << package << " not in: " << depends.toStdString();

    const QString root = work.path() + QStringLiteral("/root");
    const ToolRun unpack = runTool(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb, root});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.output.toStdString();
    const QString usr = root + QStringLiteral("/usr");
    expectProgramFolder(usr);
    expectDesktopIntegration(usr);
    expectStartsAndStopsOnTerm(usr);
    expectLintianFindsNoFault(deb);
}
