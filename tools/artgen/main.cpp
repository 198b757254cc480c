// kemuyi-artgen: draws every picture the program loads and writes them as JPEG.
//   kemuyi-artgen OUTDIR                    writes OUTDIR/*.jpg and OUTDIR/pic/*.jpg, each also
//                                           at double resolution as name@2x.jpg
//   kemuyi-artgen --preview OUTDIR PNGDIR   also writes window mock-ups to PNGDIR
//   kemuyi-artgen --icons DIR               writes only the desktop icon (PNG and SVG) to DIR

#include "ArtGen.h"
#include "Painting.h"

#include "common/Failure.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw kemuyi::Failure(QStringLiteral("无法创建文件夹 %1").arg(path));
}

// Writes each picture at the current render scale; at 2 as name@2x.jpg beside name.jpg.
void writeAll(const std::vector<artgen::Artwork> &artworks, const QString &folder,
              QSize largest = {})
{
    makeFolder(folder);
    const int scale = artgen::renderScale();
    for (const artgen::Artwork &art : artworks) {
        const QImage image = art.draw();
        const QSize size = image.size() / scale;
        if (largest.isValid() && (size.width() > largest.width() || size.height() > largest.height()))
            throw kemuyi::Failure(QStringLiteral("%1 大于 %2×%3")
                                      .arg(art.fileName).arg(largest.width()).arg(largest.height()));
        QString name = art.fileName;
        if (scale != 1)
            name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
        artgen::saveJpeg(image, folder + QLatin1Char('/') + name);
    }
}

int usage()
{
    std::fputs("usage: kemuyi-artgen OUTDIR\n"
               "       kemuyi-artgen --preview OUTDIR PNGDIR\n"
               "       kemuyi-artgen --icons DIR\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    const bool preview = mode == QLatin1String("--preview");
    const bool icons = mode == QLatin1String("--icons");
    if (args.size() != (preview ? 3 : icons ? 2 : 1))
        return usage();
    const QString outDir = args.at(preview || icons ? 1 : 0);

    try {
        if (icons) {
            makeFolder(outDir);
            artgen::writeIcons(outDir);
            return 0;
        }
        for (const int scale : {1, 2}) {
            artgen::setRenderScale(scale);
            writeAll(artgen::interfaceArtworks(), outDir);
            writeAll(artgen::illustrationArtworks(), outDir + QStringLiteral("/pic"), QSize(300, 120));
        }
        artgen::setRenderScale(1);
        if (preview) {
            makeFolder(args.at(2));
            artgen::writePreviews(outDir, args.at(2));
        }
    } catch (const kemuyi::Failure &failure) {
        QTextStream(stderr) << "kemuyi-artgen: " << failure.message() << '\n';
        return 1;
    }
    return 0;
}
