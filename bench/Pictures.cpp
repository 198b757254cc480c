#include "Pictures.h"

#include "picture/JpegCodec.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <random>
#include <vector>

namespace kemuyi::bench {

namespace {

// Separable waves: sin(fx·x + p)·cos(fy·y + q) per channel, summed, cheap to tabulate.
struct Wave
{
    std::vector<float> column;
    std::vector<float> row;
    float amplitude[3];
};

std::vector<Wave> makeWaves(int width, int height, std::mt19937 &random)
{
    std::uniform_real_distribution<float> frequency(0.004f, 0.09f);
    std::uniform_real_distribution<float> phase(0.0f, 6.2832f);
    std::uniform_real_distribution<float> amplitude(-38.0f, 38.0f);
    std::vector<Wave> waves(7);
    for (Wave &wave : waves) {
        const float fx = frequency(random), fy = frequency(random), px = phase(random), py = phase(random);
        for (int x = 0; x < width; ++x)
            wave.column.push_back(std::sin(fx * float(x) + px));
        for (int y = 0; y < height; ++y)
            wave.row.push_back(std::cos(fy * float(y) + py));
        for (float &a : wave.amplitude)
            a = amplitude(random);
    }
    return waves;
}

void paintShapes(QImage &image, std::mt19937 &random)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    std::uniform_int_distribution<int> channel(40, 220);
    std::uniform_int_distribution<int> x(0, image.width()), y(0, image.height());
    std::uniform_int_distribution<int> extent(20, image.width() / 3);
    for (int i = 0; i < 14; ++i) {
        painter.setPen(QPen(QColor(channel(random), channel(random), channel(random)), 2));
        painter.setBrush(QColor(channel(random), channel(random), channel(random), 150));
        painter.drawEllipse(QPoint(x(random), y(random)), extent(random), extent(random) / 2);
    }
}

int clamped(float value)
{
    return value < 0.0f ? 0 : value > 255.0f ? 255 : int(value);
}

void addGrain(QImage &image, std::mt19937 &random)
{
    std::normal_distribution<float> grain(0.0f, 7.0f);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float g = grain(random);
            line[x] = qRgb(clamped(float(qRed(line[x])) + g), clamped(float(qGreen(line[x])) + g),
                           clamped(float(qBlue(line[x])) + g * 1.2f));
        }
    }
}

} // namespace

QImage photoImage(int width, int height, quint32 seed)
{
    std::mt19937 random(seed);
    const std::vector<Wave> waves = makeWaves(width, height, random);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            float rgb[3] = {120.0f, 130.0f, 110.0f};
            for (const Wave &wave : waves) {
                const float w = wave.column[size_t(x)] * wave.row[size_t(y)];
                for (int c = 0; c < 3; ++c)
                    rgb[c] += wave.amplitude[c] * w;
            }
            line[x] = qRgb(clamped(rgb[0]), clamped(rgb[1]), clamped(rgb[2]));
        }
    }
    paintShapes(image, random);
    addGrain(image, random);
    return image;
}

QImage drawnImage(int width, int height, quint32 seed, const QString &caption)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> hue(0, 359);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, height);
    const QColor base = QColor::fromHsv(hue(random), 60, 235);
    shade.setColorAt(0, base.lighter(110));
    shade.setColorAt(1, base.darker(115));
    painter.fillRect(image.rect(), shade);

    const int side = qMin(width, height) - 8;
    painter.setPen(QPen(Qt::red, qMax(2, side / 12)));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(6, 4, side, side));
    QPainterPath arrow;
    arrow.moveTo(6 + side * 0.5, 4 + side * 0.2);
    arrow.lineTo(6 + side * 0.75, 4 + side * 0.55);
    arrow.lineTo(6 + side * 0.25, 4 + side * 0.55);
    arrow.closeSubpath();
    painter.fillPath(arrow, QColor::fromHsv(hue(random), 200, 90));

    painter.setPen(QPen(Qt::darkGray, 3, Qt::DashLine));
    painter.drawLine(side + 14, height / 2, width - 6, height / 2);
    if (!caption.isEmpty()) {
        painter.setPen(Qt::black);
        QFont font = painter.font();
        font.setPixelSize(qMax(10, height / 3));
        painter.setFont(font);
        painter.drawText(QRect(side + 10, 0, width - side - 10, height), Qt::AlignCenter, caption);
    }
    return image;
}

void writeWindowPictures(const QString &appDir)
{
    struct Picture
    {
        const char *name;
        int width;
        int height;
        const char *caption;
    };
    static const Picture pictures[] = {
        {"1", 60, 40, "A"},          {"2", 60, 40, "B"},       {"3", 60, 40, "C"},
        {"4", 59, 41, "D"},          {"5", 90, 40, "上一题"},  {"6", 90, 40, "下一题"},
        {"7", 50, 40, "?"},          {"dui", 60, 40, "对"},    {"cuo", 60, 40, "错"},
        {"sxlx", 110, 40, "顺序练习"}, {"jqlx", 110, 40, "强化练习"}, {"exit", 110, 40, "退出"},
    };
    QDir().mkpath(appDir);
    quint32 seed = 1;
    for (const Picture &p : pictures) {
        const QString name = QString::fromUtf8(p.name);
        const QString caption = QString::fromUtf8(p.caption);
        encodeJpegFile(drawnImage(p.width, p.height, seed++, caption), appDir + name + QStringLiteral(".jpg"));
        encodeJpegFile(drawnImage(p.width, p.height, seed++, caption), appDir + name + QStringLiteral("_ovr.jpg"));
    }
    for (const char *name : {"uncheck", "checked", "chk_ovr", "unchk_ovr"})
        encodeJpegFile(drawnImage(110, 40, seed++, QStringLiteral("自动下一题")),
                       appDir + QLatin1String(name) + QStringLiteral(".jpg"));
    for (const char *name : {"thinking", "yes", "no"})
        encodeJpegFile(drawnImage(107, 107, seed++), appDir + QLatin1String(name) + QStringLiteral(".jpg"));
    encodeJpegFile(photoImage(690, 450, seed++), appDir + QStringLiteral("bground2.jpg"));
    // The mock exam's buttons, drawn after the others so theirs keep their seeds.
    for (const char *name : {"mnks", "ksks", "ctlx", "fq", "jj", "qrjj", "jxdt", "fqks", "qrfq", "dcjl", "ksfx"}) {
        const QString stem = QLatin1String(name);
        const int height = stem == QLatin1String("mnks") ? 30 : 40;
        encodeJpegFile(drawnImage(110, height, seed++, stem), appDir + stem + QStringLiteral(".jpg"));
        encodeJpegFile(drawnImage(110, height, seed++, stem), appDir + stem + QStringLiteral("_ovr.jpg"));
    }
}

QStringList writeIllustrations(const QString &appDir, int count)
{
    QDir().mkpath(appDir + QStringLiteral("pic"));
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("bench_%1").arg(i, 2, 10, QLatin1Char('0'));
        // About 300 × 120, varying a little as real illustrations do.
        const int width = 300 - (i % 4) * 10;
        const int height = 120 - (i % 3) * 8;
        encodeJpegFile(drawnImage(width, height, 1000u + quint32(i)),
                       appDir + QStringLiteral("pic/") + name + QStringLiteral(".jpg"));
        names.append(name);
    }
    return names;
}

} // namespace kemuyi::bench
