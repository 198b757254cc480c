// The committed pictures are what the artwork generator draws, byte for byte: a drawing changed
// without redrawing the files, a picture touched up by hand, or a picture left behind after its
// drawing code went away all fail here.

#include "Support.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>

#include <gtest/gtest.h>

using namespace kemuyi::test;

namespace {

const QString kAssets = QStringLiteral(KEMUYI_SOURCE_DIR "/assets/");

QStringList jpegsUnder(const QString &root)
{
    QStringList names;
    QDirIterator it(root, {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(root).relativeFilePath(it.next());
    names.sort();
    return names;
}

class Artwork : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QProcess generator;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        generator.setProcessEnvironment(environment);
        generator.start(QStringLiteral(KEMUYI_ARTGEN), {out()});
        ASSERT_TRUE(generator.waitForFinished(120000));
        ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
        drawn = jpegsUnder(out());
        ASSERT_FALSE(drawn.isEmpty());
    }

    QString out() const { return sandbox.path(QStringLiteral("drawn")); }

    Sandbox sandbox;
    QStringList drawn;
};

TEST_F(Artwork, GeneratorRedrawsEveryCommittedPictureByteForByte)
{
    QStringList differing;
    for (const QString &name : drawn) {
        if (readBytes(out() + QLatin1Char('/') + name) != readBytes(kAssets + name))
            differing << name;
    }
    EXPECT_TRUE(differing.isEmpty()) << differing.join(QLatin1Char(' ')).toStdString();
}

TEST_F(Artwork, EveryCommittedIllustrationHasItsDrawing)
{
    QStringList orphans;
    for (const QString &name : jpegsUnder(kAssets + QStringLiteral("pic")))
        if (!drawn.contains(QStringLiteral("pic/") + name))
            orphans << name;
    EXPECT_TRUE(orphans.isEmpty()) << orphans.join(QLatin1Char(' ')).toStdString();
}

} // namespace
