// Buttons, the auto-advance switch and the feedback pictures: one face style for every control,
// drawn on the panel colour the backgrounds put behind the controls so the corners blend in.

#include "ArtGen.h"
#include "Backgrounds.h"
#include "Painting.h"

namespace artgen {

namespace {

using namespace palette;

// The face of a button: normal is deep blue; hover is lighter and outlined, so it reads as lit.
void paintButtonFace(QPainter &p, const QRectF &area, bool hover)
{
    const QRectF face = area.adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0.0, hover ? light : deep);
    fill.setColorAt(1.0, hover ? lightLow : deepLow);
    p.setPen(QPen(hover ? accentPale : deepLow.darker(115), hover ? 2.0 : 1.0));
    p.setBrush(fill);
    p.drawPath(roundedRect(face, 6));
    // A faint top highlight gives the flat face a little body without a glossy look.
    p.setPen(QPen(QColor(255, 255, 255, hover ? 90 : 55), 1.0));
    p.drawLine(QPointF(face.left() + 6, face.top() + 2), QPointF(face.right() - 6, face.top() + 2));
}

// Starts painting a button: `image` becomes the canvas and `p` is left active on it.
void beginButton(QImage &image, QPainter &p, QSize size, bool hover)
{
    image = newCanvas(size.width(), size.height(), panel);
    p.begin(&image);
    prepare(p);
    paintButtonFace(p, QRectF(QPointF(0, 0), size), hover);
}


// Menu buttons carry the vehicle kind and, below it, the licence classes that share it.
QImage menuButton(QSize size, const QString &kind, const QString &classes, bool hover)
{
    if (classes.isEmpty())
        return captionButton(size, kind, 17, hover);
    QImage image;
    QPainter p;
    beginButton(image, p, size, hover);
    const qreal mid = size.height() / 2.0;
    drawText(p, QRectF(0, 2, size.width(), mid + 1), kind, sansFont(15, true), Qt::white,
             Qt::AlignHCenter | Qt::AlignBottom);
    drawText(p, QRectF(0, mid + 2, size.width(), mid - 4), classes, latinFont(11, true),
             hover ? QColor(0xff, 0xf1, 0xc8) : accentPale, Qt::AlignHCenter | Qt::AlignTop);
    p.end();
    return image;
}

// A small chevron beside 上翻 / 下翻 says which way the button moves.
QImage pageButton(QSize size, const QString &caption, bool forward, bool hover)
{
    QImage image;
    QPainter p;
    beginButton(image, p, size, hover);
    const qreal cy = size.height() / 2.0;
    const qreal textLeft = forward ? 14 : 34;
    drawText(p, QRectF(textLeft, 0, 42, size.height() - 1), caption, sansFont(16, true), Qt::white);
    const qreal tip = forward ? 74 : 16;
    const qreal back = forward ? tip - 6 : tip + 6;
    QPainterPath chevron;
    chevron.moveTo(back, cy - 6);
    chevron.lineTo(tip, cy);
    chevron.lineTo(back, cy + 6);
    p.setPen(QPen(accentPale, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    p.end();
    return image;
}

// The auto-advance switch: off is a pale face with an empty box, on is the deep face with a
// green ticked box, so the state is obvious from across the window.
QImage switchPicture(bool on, bool hover)
{
    const QSize size(110, 40);
    QImage image = newCanvas(size.width(), size.height(), panel);
    QPainter p(&image);
    prepare(p);
    const QRectF face = QRectF(0, 0, size.width(), size.height()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (on) {
        paintButtonFace(p, QRectF(QPointF(0, 0), size), hover);
    } else {
        p.setPen(QPen(hover ? accent : panelEdge, hover ? 2.0 : 1.0));
        p.setBrush(hover ? QColor(Qt::white) : paper.darker(103));
        p.drawPath(roundedRect(face, 6));
    }
    const QRectF box(9.5, 12.5, 16, 16);
    p.setPen(QPen(on ? QColor(Qt::white) : inkSoft, 1.4));
    p.setBrush(on ? right : QColor(Qt::white));
    p.drawRoundedRect(box, 3, 3);
    if (on) {
        QPainterPath tick;
        tick.moveTo(box.left() + 3.5, box.center().y() + 0.5);
        tick.lineTo(box.left() + 6.8, box.bottom() - 3.5);
        tick.lineTo(box.right() - 3, box.top() + 3.5);
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    drawText(p, QRectF(30, 0, 76, size.height() - 1), QStringLiteral("自动转下题"),
             sansFont(14, on), on ? QColor(Qt::white) : ink, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

// Feedback card: a large symbol on white with a short caption below.
QImage feedbackCard(const QColor &tone, const QString &caption,
                    const std::function<void(QPainter &, QRectF)> &symbol)
{
    QImage image = newCanvas(107, 107, panel);
    QPainter p(&image);
    prepare(p);
    const QRectF card(1.5, 1.5, 104, 104);
    p.setPen(QPen(panelEdge, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(roundedRect(card, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(tone);
    p.drawPath(roundedRect(QRectF(card.left(), card.bottom() - 28, card.width(), 28), 8));
    p.drawRect(QRectF(card.left(), card.bottom() - 28, card.width(), 10));
    symbol(p, QRectF(18, 8, 71, 66));
    drawText(p, QRectF(card.left(), card.bottom() - 28, card.width(), 27), caption,
             sansFont(16, true), Qt::white);
    return image;
}

QImage tickCard()
{
    return feedbackCard(right, QStringLiteral("答对了"), [](QPainter &p, QRectF area) {
        QPainterPath tick;
        tick.moveTo(area.left() + 6, area.center().y() + 2);
        tick.lineTo(area.left() + 27, area.bottom() - 8);
        tick.lineTo(area.right() - 4, area.top() + 8);
        p.setPen(QPen(right, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    });
}

QImage crossCard()
{
    return feedbackCard(wrong, QStringLiteral("答错了"), [](QPainter &p, QRectF area) {
        const QRectF c = QRectF(0, 0, 44, 44).translated(area.center() - QPointF(22, 22));
        p.setPen(QPen(wrong, 11, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c.topLeft(), c.bottomRight());
        p.drawLine(c.topRight(), c.bottomLeft());
    });
}

QImage thinkingCard()
{
    return feedbackCard(deep, QStringLiteral("请作答"), [](QPainter &p, QRectF area) {
        const QRectF disc = QRectF(0, 0, 56, 56).translated(area.center() - QPointF(28, 28));
        p.setPen(Qt::NoPen);
        p.setBrush(accentPale);
        p.drawEllipse(disc);
        drawText(p, disc.adjusted(0, -2, 0, 0), QStringLiteral("?"), latinFont(44, true), ink);
    });
}

void addMenuButtons(std::vector<Artwork> &out)
{
    struct Caption { const char *kind; const char *classes; };
    const std::vector<std::pair<QString, Caption>> captions = {
        {QStringLiteral("c1c2c3c4"), {"小型汽车", "C1  C2  C3  C4"}},
        {QStringLiteral("a1a3b1"), {"客车", "A1  A3  B1"}},
        {QStringLiteral("a2b2"), {"货车", "A2  B2"}},
        {QStringLiteral("def"), {"摩托车", "D  E  F"}},
        {QStringLiteral("m"), {"轮式专用机械车", "M"}},
        {QStringLiteral("tc"), {"退出", ""}},
    };
    for (const MenuButton &button : menuButtons()) {
        for (const auto &[stem, caption] : captions) {
            if (stem != button.stem)
                continue;
            const QSize size(153, button.height);
            const QString kind = QString::fromUtf8(caption.kind);
            const QString classes = QString::fromUtf8(caption.classes);
            addPair(out, stem, [=](bool hover) { return menuButton(size, kind, classes, hover); });
        }
    }
}

void addPracticeButtons(std::vector<Artwork> &out)
{
    struct Caption { const char *stem; int width; int height; const char *text; int px; };
    const Caption captions[] = {
        {"1", 60, 40, "A", 20}, {"2", 60, 40, "B", 20}, {"3", 60, 40, "C", 20},
        {"4", 59, 41, "D", 20}, {"dui", 60, 40, "对", 19}, {"cuo", 60, 40, "错", 19},
        {"7", 50, 40, "?", 21}, {"sxlx", 110, 40, "顺序练习", 16},
        {"jqlx", 110, 40, "加强练习", 16}, {"exit", 110, 40, "退出", 16},
        {"ld", 34, 40, "读", 18}, // read aloud, between D and Previous
    };
    for (const Caption &c : captions) {
        const QSize size(c.width, c.height);
        const QString text = QString::fromUtf8(c.text);
        const int px = c.px;
        addPair(out, QString::fromLatin1(c.stem),
                [=](bool hover) { return captionButton(size, text, px, hover); });
    }
    addPair(out, QStringLiteral("5"), [](bool hover) {
        return pageButton(QSize(90, 40), QStringLiteral("上翻"), false, hover);
    });
    addPair(out, QStringLiteral("6"), [](bool hover) {
        return pageButton(QSize(90, 40), QStringLiteral("下翻"), true, hover);
    });
}

void addSwitchAndFeedback(std::vector<Artwork> &out)
{
    out.push_back({QStringLiteral("uncheck.jpg"), [] { return switchPicture(false, false); }});
    out.push_back({QStringLiteral("checked.jpg"), [] { return switchPicture(true, false); }});
    out.push_back({QStringLiteral("chk_ovr.jpg"), [] { return switchPicture(false, true); }});
    out.push_back({QStringLiteral("unchk_ovr.jpg"), [] { return switchPicture(true, true); }});
    out.push_back({QStringLiteral("yes.jpg"), tickCard});
    out.push_back({QStringLiteral("no.jpg"), crossCard});
    out.push_back({QStringLiteral("thinking.jpg"), thinkingCard});
}

} // namespace

QImage captionButton(QSize size, const QString &caption, int pixelSize, bool hover)
{
    QImage image;
    QPainter p;
    beginButton(image, p, size, hover);
    drawText(p, QRectF(0, 0, size.width(), size.height() - 1), caption, sansFont(pixelSize, true),
             Qt::white);
    p.end();
    return image;
}

void addPair(std::vector<Artwork> &out, const QString &stem,
             const std::function<QImage(bool hover)> &draw)
{
    out.push_back({stem + QStringLiteral(".jpg"), [draw] { return draw(false); }});
    out.push_back({stem + QStringLiteral("_ovr.jpg"), [draw] { return draw(true); }});
}

std::vector<MenuButton> menuButtons()
{
    // Tops spread evenly from 104 to 395, the rows the menu window places them on.
    return {
        {QStringLiteral("c1c2c3c4"), 42, 104}, {QStringLiteral("a1a3b1"), 43, 162},
        {QStringLiteral("a2b2"), 42, 220},     {QStringLiteral("def"), 43, 279},
        {QStringLiteral("m"), 41, 337},        {QStringLiteral("tc"), 41, 395},
    };
}

std::vector<Artwork> interfaceArtworks()
{
    std::vector<Artwork> out;
    out.push_back({QStringLiteral("logo.jpg"), drawLogo});
    out.push_back({QStringLiteral("bground1.jpg"), drawMenuBackground});
    out.push_back({QStringLiteral("bground2.jpg"), drawPracticeBackground});
    addMenuButtons(out);
    addPracticeButtons(out);
    addSwitchAndFeedback(out);
    addExamButtons(out);
    return out;
}

} // namespace artgen
