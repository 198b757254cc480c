// The mock exam's buttons: the entry in the practice window (a slim 110 × 30 button in the free
// space of its left column) and the exam window's own; and those of the study centre's smart
// review and statistics pages; all in the practice buttons' face.

#include "ArtGen.h"

namespace artgen {

void addExamButtons(std::vector<Artwork> &out)
{
    struct Caption { const char *stem; int height; const char *text; int px; };
    const Caption captions[] = {
        {"mnks", 30, "模拟考试", 15}, {"ksks", 40, "开始考试", 16}, {"ctlx", 40, "错题练习", 16},
        {"fq", 40, "放弃", 16},      {"jj", 40, "交卷", 16},      {"qrjj", 40, "确认交卷", 16},
        {"jxdt", 40, "继续答题", 16}, {"fqks", 40, "放弃考试", 16}, {"qrfq", 40, "确认放弃", 16},
        {"dcjl", 40, "导出记录", 16}, {"ksfx", 40, "开始复习", 16}, {"znfx", 34, "智能复习", 15},
        {"tj", 34, "统计", 15},
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
