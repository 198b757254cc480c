// Window mock-ups assembled from the written JPEGs (decoded the way the program decodes them),
// with sample text where the windows' own labels and text boxes go.

#include "ArtGen.h"
#include "Painting.h"

#include "common/Failure.h"
#include "picture/JpegCodec.h"

namespace artgen {

namespace {

class Mockup
{
public:
    Mockup(const QString &assetDir, const QString &background)
        : m_assetDir(assetDir), m_image(load(background)), m_painter(&m_image)
    {
        prepare(m_painter);
    }

    void place(int x, int y, const QString &file) { m_painter.drawImage(x, y, load(file)); }

    void textBox(const QRect &box, const QString &text, int pixelSize, bool bold = false,
                 const QColor &color = palette::ink, int flags = Qt::AlignLeft | Qt::AlignTop)
    {
        drawText(m_painter, box, text, sansFont(pixelSize, bold), color, flags | Qt::TextWordWrap);
    }

    void whiteBox(const QRect &box) { m_painter.fillRect(box, Qt::white); }

    void save(const QString &path)
    {
        m_painter.end();
        if (!m_image.save(path, "PNG"))
            throw kemuyi::Failure(QStringLiteral("无法写入 %1").arg(path));
    }

private:
    QImage load(const QString &file) const
    {
        return kemuyi::decodeJpegFile(m_assetDir + QLatin1Char('/') + file);
    }

    QString m_assetDir;
    QImage m_image;
    QPainter m_painter;
};

void writeMenuMockup(const QString &assetDir, const QString &path)
{
    Mockup menu(assetDir, QStringLiteral("bground1.jpg"));
    menu.textBox(QRect(40, 24, 258, 35), QStringLiteral("新  手  上  路"), 35, true, Qt::white,
                 Qt::AlignLeft | Qt::AlignVCenter);
    menu.textBox(QRect(44, 64, 247, 21), QStringLiteral("机动车驾驶人科目一考试题库"), 19, false,
                 Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
    menu.whiteBox(QRect(40, 112, 417, 273));
    menu.textBox(QRect(52, 122, 395, 253),
                 QStringLiteral("本程序收录机动车驾驶人科目一考试的练习题。请在右侧选择准驾车型，"
                                "进入后可顺序练习，也可针对做错的题目加强练习。\n\n"
                                "每题作答后立即显示对错；按“?”查看提示。"),
                 14);
    for (const MenuButton &button : menuButtons()) {
        const bool hovered = button.stem == QLatin1String("a1a3b1");
        menu.place(500, button.top, button.stem + (hovered ? QStringLiteral("_ovr.jpg")
                                                           : QStringLiteral(".jpg")));
    }
    menu.save(path);
}

void writePracticeMockup(const QString &assetDir, const QString &path)
{
    Mockup practice(assetDir, QStringLiteral("bground2.jpg"));
    const int answerX[] = {144, 207, 270, 334};
    for (int i = 0; i < 4; ++i) {
        const QString stem = QString::number(i + 1);
        practice.place(answerX[i], 48, stem + (i == 1 ? QStringLiteral("_ovr.jpg")
                                                     : QStringLiteral(".jpg")));
    }
    practice.place(432, 48, QStringLiteral("5.jpg"));
    practice.place(527, 48, QStringLiteral("6.jpg"));
    practice.place(625, 48, QStringLiteral("7.jpg"));
    practice.place(19, 96, QStringLiteral("thinking.jpg"));
    practice.place(16, 224, QStringLiteral("checked.jpg"));
    practice.place(16, 303, QStringLiteral("sxlx.jpg"));
    practice.place(16, 349, QStringLiteral("jqlx_ovr.jpg"));
    practice.place(16, 395, QStringLiteral("exit.jpg"));

    practice.whiteBox(QRect(144, 96, 529, 297));
    practice.textBox(QRect(152, 102, 513, 60),
                     QStringLiteral("12. 驾驶机动车在路口遇到这个标志时，应当怎样做？\n"
                                    "A. 减速慢行　B. 停车让行　C. 鸣喇叭通过　D. 加速通过"),
                     15);
    practice.place(144 + (529 - 120) / 2, 170 + (129 - 120) / 2, QStringLiteral("pic/sign_stop.jpg"));
    practice.whiteBox(QRect(144, 412, 529, 29));
    practice.textBox(QRect(150, 412, 517, 29), QStringLiteral("第 12 题 / 共 1000 题　　已答 11 题，答对 9 题"),
                     14, false, palette::inkSoft, Qt::AlignLeft | Qt::AlignVCenter);
    practice.save(path);
}

} // namespace

void writePreviews(const QString &assetDir, const QString &pngDir)
{
    writeMenuMockup(assetDir, pngDir + QStringLiteral("/menu.png"));
    writePracticeMockup(assetDir, pngDir + QStringLiteral("/practice.png"));
}

} // namespace artgen
