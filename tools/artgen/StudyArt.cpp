// The study centre's buttons: its entry in the practice window, the favourite star there, and the
// page and action buttons of the study window, all in the practice buttons' face.

#include "ArtGen.h"
#include "Painting.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace artgen {

namespace {

using namespace palette;

// A five-pointed star, filled in amber when the question is a favourite, an outline when not.
QImage starButton(bool on, bool hover)
{
    const QSize size(34, 40);
    QImage image = captionButton(size, QString(), 16, hover);
    QPainter p(&image);
    prepare(p);
    QPainterPath star;
    const QPointF centre(size.width() / 2.0, size.height() / 2.0 + 1);
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? 12.5 : 5.2;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(on ? accent : accentPale, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(on ? QBrush(accent) : QBrush(Qt::NoBrush));
    p.drawPath(star);
    p.end();
    return image;
}

} // namespace

void addStudyButtons(std::vector<Artwork> &out)
{
    struct Caption { const char *stem; int height; const char *text; int px; };
    const Caption captions[] = {
        {"xxzx", 40, "学习中心", 16},     {"zxlx", 34, "专项练习", 15}, {"scj", 34, "收藏", 15},
        {"ctb", 34, "错题本", 15},        {"wzt", 34, "未做题", 15},    {"ss", 34, "搜索", 15},
        {"jxsc", 34, "继续上次练习", 15}, {"kslx", 40, "开始练习", 16}, {"ycsc", 40, "移除收藏", 16},
    };
    for (const Caption &c : captions) {
        // The study centre's entry shares its row with the favourite star.
        const QSize size(QLatin1String(c.stem) == QLatin1String("xxzx") ? 74 : 110, c.height);
        const QString text = QString::fromUtf8(c.text);
        const int px = c.px;
        addPair(out, QString::fromLatin1(c.stem), [=](bool hover) { return captionButton(size, text, px, hover); });
    }
    addPair(out, QStringLiteral("star_on"), [](bool hover) { return starButton(true, hover); });
    addPair(out, QStringLiteral("star_off"), [](bool hover) { return starButton(false, hover); });
}

} // namespace artgen
