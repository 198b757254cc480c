// The mock exam's buttons: the entry in the practice window (a slim 110 × 30 button in the free
// space of its left column) and the exam window's own, all in the practice buttons' face.

#include "ArtGen.h"

namespace artgen {

void addExamButtons(std::vector<Artwork> &out)
{
    struct Caption { const char *stem; int height; const char *text; int px; };
    const Caption captions[] = {
        {"mnks", 30, "模拟考试", 15}, {"ksks", 40, "开始考试", 16}, {"ctlx", 40, "错题练习", 16},
        {"fq", 40, "放弃", 16},      {"jj", 40, "交卷", 16},      {"qrjj", 40, "确认交卷", 16},
        {"jxdt", 40, "继续答题", 16},
    };
    for (const Caption &c : captions) {
        const QSize size(110, c.height);
        const QString text = QString::fromUtf8(c.text);
        const int px = c.px;
        addPair(out, QString::fromLatin1(c.stem), [=](bool hover) { return captionButton(size, text, px, hover); });
    }
    // 解析: a small button at the right end of the status line, in the practice and exam windows.
    addPair(out, QStringLiteral("jx"),
            [](bool hover) { return captionButton(QSize(56, 25), QStringLiteral("解析"), 14, hover); });
}

} // namespace artgen
