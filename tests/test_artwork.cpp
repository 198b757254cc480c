// The artwork generator against the pictures committed under assets/, and the sign
// illustrations against the outline of the sign face they are drawn on.

#include "Support.h"

#include "picture/JpegCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QLineF>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

using namespace kemuyi;

namespace {

const QString kAssets = QStringLiteral(KEMUYI_SOURCE_DIR "/assets");

QStringList jpegNames(const QString &folder)
{
    QStringList names;
    for (const QString &sub : {QString(), QStringLiteral("pic/")}) {
        const QStringList files = QDir(folder + QLatin1Char('/') + sub)
                                      .entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
        for (const QString &file : files)
            names.append(sub + file);
    }
    return names;
}

// The pictures at the program's own resolution, without their double-resolution forms.
QStringList plainNames(const QString &folder)
{
    QStringList names = jpegNames(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString &name) { return name.endsWith(QLatin1String("@2x.jpg")); }),
                names.end());
    return names;
}

// Mean difference per channel, 0–255, for colour pictures and grey thumbnails alike; the same
// drawing encoded twice differs by nothing, JPEG noise alone stays far below 1.
double meanDifference(const QImage &left, const QImage &right)
{
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb a = left.pixel(x, y), b = right.pixel(x, y);
            sum += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

class Artwork : public ::testing::Test
{
protected:
    // The generator runs once for the whole suite: it draws every picture the program has.
    static void SetUpTestSuite()
    {
        s_output = std::make_unique<QTemporaryDir>();
        QProcess process;
        process.start(QStringLiteral(KEMUYI_ARTGEN), {s_output->path()});
        s_finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
                     && process.exitCode() == 0;
        s_errors = QString::fromUtf8(process.readAllStandardError());
    }
    static void TearDownTestSuite() { s_output.reset(); }

    void SetUp() override { ASSERT_TRUE(s_finished) << s_errors.toStdString(); }

    static QString generated(const QString &name) { return s_output->path() + QLatin1Char('/') + name; }

    static std::unique_ptr<QTemporaryDir> s_output;
    static bool s_finished;
    static QString s_errors;
};

std::unique_ptr<QTemporaryDir> Artwork::s_output;
bool Artwork::s_finished = false;
QString Artwork::s_errors;

TEST_F(Artwork, CommittedPicturesAreWhatTheGeneratorDraws)
{
    const QStringList committed = jpegNames(kAssets);
    ASSERT_EQ(jpegNames(s_output->path()), committed)
        << "every drawn picture is committed, and no committed picture is left without its drawing";
    for (const QString &name : committed) {
        const QImage drawn = decodeJpegFile(generated(name));
        const QImage stored = decodeJpegFile(kAssets + QLatin1Char('/') + name);
        ASSERT_EQ(drawn.size(), stored.size()) << name.toStdString();
        EXPECT_LT(meanDifference(drawn, stored), 1.0)
            << name.toStdString() << " differs from its drawing: redraw the pictures";
    }
}

// Every interface picture and illustration also comes at double resolution: the same drawing
// with twice the pixels each way, for enlarged windows.
TEST_F(Artwork, EveryPictureComesAtDoubleResolutionAsTheSameDrawing)
{
    const QStringList plain = plainNames(s_output->path());
    ASSERT_EQ(jpegNames(s_output->path()).size(), 2 * plain.size());
    for (const QString &name : plain) {
        const QString sharpName = QString(name).insert(name.size() - 4, QLatin1String("@2x"));
        const QImage image = decodeJpegFile(generated(name));
        const QImage sharp = decodeJpegFile(generated(sharpName));
        ASSERT_EQ(sharp.size(), image.size() * 2) << sharpName.toStdString();
        // Compared a little blurred: captions are hinted to whole pixels at each size on its own.
        const QSize small = image.size() / 2;
        const auto blurred = [small](const QImage &from) {
            return from.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        EXPECT_LT(meanDifference(blurred(sharp), blurred(image)), 12.0)
            << sharpName.toStdString() << " is not a drawing of " << name.toStdString();
        EXPECT_GT(meanDifference(sharp, image.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)), 0.0)
            << sharpName.toStdString() << " holds no more detail than " << name.toStdString();
    }
}

enum class Face { Disc, Triangle, Other };

// Which face a sign picture is drawn on, by the naming rule of the picture list.
Face faceOf(const QString &stem)
{
    static const QStringList plates = {
        QStringLiteral("ind_motor_lane"), QStringLiteral("ind_non_motor_lane"),
        QStringLiteral("ind_bus_lane"), QStringLiteral("ind_pedestrian_crossing"),
        QStringLiteral("ind_one_way_straight"), QStringLiteral("ind_one_way_left"),
        QStringLiteral("ind_priority_oncoming"), QStringLiteral("sign_stop"),
        QStringLiteral("sign_yield")};
    if (stem.startsWith(QLatin1String("warn_")))
        return Face::Triangle;
    if (plates.contains(stem))
        return Face::Other;
    if (stem.startsWith(QLatin1String("sign_")) || stem.startsWith(QLatin1String("ind_")))
        return Face::Disc;
    return Face::Other;
}

// How far a point lies outside the face's outline (negative inside).
double beyondFace(Face face, QPointF point)
{
    if (face == Face::Disc)
        return QLineF(QPointF(60, 60), point).length() - 57;
    const QPointF corners[] = {{60, 8}, {115, 106}, {5, 106}};
    double beyond = -1e9;
    for (int i = 0; i < 3; ++i) {
        const QPointF a = corners[i], b = corners[(i + 1) % 3];
        const QPointF edge = b - a;
        // The corners run clockwise on screen, so the outward normal is (dy, -dx).
        const QPointF normal = QPointF(edge.y(), -edge.x()) / QLineF(a, b).length();
        beyond = qMax(beyond, QPointF::dotProduct(point - a, normal));
    }
    return beyond - 2.5; // the yellow rim straddles the outline
}

TEST_F(Artwork, SignSymbolsStayOnTheirFaces)
{
    int checked = 0;
    for (const QString &name : plainNames(s_output->path())) {
        const QString stem = QFileInfo(name).completeBaseName();
        const Face face = faceOf(stem);
        if (!name.startsWith(QLatin1String("pic/")) || face == Face::Other)
            continue;
        const QImage image = decodeJpegFile(generated(name));
        int stray = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                // Two pixels of slack for antialiasing and JPEG ringing along the outline.
                if (beyondFace(face, QPointF(x + 0.5, y + 0.5)) < 2)
                    continue;
                const QRgb pixel = image.pixel(x, y);
                if (qMin(qRed(pixel), qMin(qGreen(pixel), qBlue(pixel))) < 225)
                    ++stray;
            }
        }
        EXPECT_EQ(stray, 0) << stem.toStdString() << " draws outside its sign face";
        ++checked;
    }
    EXPECT_GT(checked, 60);
}

// A small grey copy, for comparing many pictures with each other quickly.
QImage thumbnail(const QImage &image)
{
    return image.scaled(30, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
}

TEST_F(Artwork, EveryIllustrationIsItsOwnDrawing)
{
    // Two names showing the same drawing means one of them shows the wrong sign.
    // Thumbnails find the look-alikes; the full pictures decide, since a dashed line and a solid
    // one differ only in detail.
    QStringList names;
    QVector<QImage> pictures, thumbs;
    for (const QString &name : plainNames(s_output->path())) {
        if (!name.startsWith(QLatin1String("pic/")))
            continue;
        names.append(name);
        pictures.append(decodeJpegFile(generated(name)));
        thumbs.append(thumbnail(pictures.last()));
    }
    ASSERT_GT(names.size(), 100);
    for (int i = 0; i < thumbs.size(); ++i) {
        for (int j = i + 1; j < thumbs.size(); ++j) {
            if (pictures[i].size() != pictures[j].size() || meanDifference(thumbs[i], thumbs[j]) > 3.0)
                continue;
            EXPECT_GT(meanDifference(pictures[i], pictures[j]), 0.3)
                << names[i].toStdString() << " looks the same as " << names[j].toStdString();
        }
    }
}

TEST_F(Artwork, LeftAndRightSignsAreMirrorImages)
{
    // Each pair is drawn by one routine for both sides; a side drawn the wrong way breaks this.
    // (Prohibition signs are left out: their slash runs the same way on both.)
    const char *const pairs[][2] = {
        {"warn_sharp_left", "warn_sharp_right"},   {"warn_merge_left", "warn_merge_right"},
        {"warn_side_road_left", "warn_side_road_right"},
        {"ind_left", "ind_right"},                 {"ind_straight_left", "ind_straight_right"},
        {"ind_keep_left", "ind_keep_right"}};
    for (const auto &pair : pairs) {
        const QString left = QStringLiteral("pic/%1.jpg").arg(QLatin1String(pair[0]));
        const QString right = QStringLiteral("pic/%1.jpg").arg(QLatin1String(pair[1]));
        const QImage leftImage = decodeJpegFile(generated(left));
        const QImage mirrored = decodeJpegFile(generated(right)).mirrored(true, false);
        EXPECT_LT(meanDifference(leftImage, mirrored), 3.0) << pair[0] << " is not the mirror of " << pair[1];
    }
}

} // namespace
