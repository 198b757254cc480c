// Every question of the shipped bank as a learner sees it in the real practice window: no text
// under the illustration, no line cut, no blank broken across lines; and the menu's introduction
// inside its box. The real fonts and pictures are used, so a new question that does not fit the
// window fails here rather than on a learner's screen.

#include "Support.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "ui/InterfaceScale.h"
#include "ui/PictureBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QString kShippedDir = QStringLiteral(KEMUYI_BIN_DIR "/");

// Where the illustration is drawn, in the label's coordinates (the box centres its picture).
QRect pictureRectIn(const QLabel &label, const PictureBox &box)
{
    const QImage picture = box.picture();
    if (picture.isNull() || box.isHidden())
        return {};
    const QPoint origin((box.width() - picture.width()) / 2, (box.height() - picture.height()) / 2);
    const QRect drawn = QRect(box.pos() + origin, picture.size()) & box.geometry();
    return drawn.translated(-label.pos());
}

// The label's text as painted without the illustration on top: dark pixels are ink.
bool inkInside(QLabel &label, QWidget &cover, const QRect &area)
{
    cover.hide();
    const QImage text = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    cover.show();
    const QRect clipped = area & text.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(text.pixel(x, y)) < 160)
                return true;
        }
    }
    return false;
}

struct LineFault
{
    QString what;
    QString line;
};

// Lays the text out as the word-wrapped label does and reports lines wider than the label and
// blanks "（　）" split across two lines.
std::optional<LineFault> lineFault(const QString &text, const QFont &font, int width)
{
    QString laid = text;
    laid.replace(QLatin1Char('\r'), QLatin1Char(' '));
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QVector<QTextLine> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(line);
    }
    layout.endLayout();
    const QString blank = QStringLiteral("（　）");
    for (const QTextLine &line : lines) {
        const QString content = laid.mid(line.textStart(), line.textLength());
        if (line.naturalTextWidth() > width)
            return LineFault{QStringLiteral("wider than the label"), content};
        const int end = line.textStart() + line.textLength();
        for (int start = laid.indexOf(blank); start >= 0; start = laid.indexOf(blank, start + 1)) {
            if (end > start && end < start + blank.size())
                return LineFault{QStringLiteral("breaks inside the blank"), content};
        }
    }
    return std::nullopt;
}

class ShippedProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setAppDirOverride(kShippedDir);
        ASSERT_TRUE(QFile::copy(kShippedDir + QStringLiteral("examdb.lib"), workingCopyPath()));
    }
    void TearDown() override { setAppDirOverride(QString()); }

    Sandbox sandbox;
    FailureLog failures;
};

TEST_F(ShippedProgram, EveryQuestionIsReadableInThePracticeWindow)
{
    TForm2 form;
    QStringList faults;
    int shown = 0;
    for (const char *code : {"C1C2C3C4", "A1A3B1", "A2B2", "M", "DEF"}) {
        form.Edit1->setText(QString::fromLatin1(code));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.ImgSxlxClick();
        const PracticeRun &run = form.run();
        ASSERT_GT(run.QuestionCount, 0) << code;
        for (int position = 1; position <= run.QuestionCount; ++position) {
            ASSERT_EQ(run.CurrentPosition, position) << code << " " << failures.messages().join(' ').toStdString();
            ++shown;
            const QString where = QStringLiteral("%1 (%2) id %3: ").arg(QString::fromLatin1(code)).arg(position).arg(run.CurrentQuestionId);
            const QRect picture = pictureRectIn(*form.Label1, *form.Image2);
            if (!picture.isEmpty() && inkInside(*form.Label1, *form.Image2, picture))
                faults.append(where + QStringLiteral("text runs under the illustration"));
            if (const auto fault = lineFault(form.Label1->text(), form.Label1->font(), form.Label1->contentsRect().width()))
                faults.append(where + fault->what + QStringLiteral(": ") + fault->line);
            form.ImgNextClick();
        }
        form.hide();
    }
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
    EXPECT_GT(shown, 1000);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " questions do not fit:\n"
                                  << faults.join('\n').toStdString();
}

TEST_F(ShippedProgram, IntroductionLinesAndSettingsFitTheMenuAtEverySize)
{
    TForm1 menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QStringList cut;
    for (const int percent : sizeChoices()) {
        setInterfaceScale(percent / 100.0);
        QPlainTextEdit &memo = *menu.Memo1;
        const int margin = int(memo.document()->documentMargin());
        const int visible = memo.viewport()->width() - 2 * margin;
        const QFontMetrics metrics(memo.font());
        for (const QString &line : memo.toPlainText().split(QLatin1Char('\n'))) {
            if (metrics.horizontalAdvance(line) > visible)
                cut.append(QStringLiteral("%1%: %2").arg(percent).arg(line));
        }
        for (QPushButton *button : {menu.sizeButton, menu.autoReadButton}) {
            if (QFontMetrics(button->font()).horizontalAdvance(button->text()) > button->contentsRect().width() - 4)
                cut.append(QStringLiteral("%1%: %2").arg(percent).arg(button->text()));
        }
    }
    setInterfaceScale(1);
    EXPECT_TRUE(cut.isEmpty()) << "lines wider than their place:\n" << cut.join('\n').toStdString();
}

// The checks themselves must see a fault when there is one.
TEST(LayoutChecks, SeeWideLinesAndSplitBlanks)
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(16);
    EXPECT_TRUE(lineFault(QString(40, QLatin1Char('x')), font, 100)); // one unbreakable word
    // Some width puts the line end inside the blank; the check must notice it there.
    const QString stem = QStringLiteral("因饮酒后驾驶机动车被处罚，再次饮酒后驾驶机动车的，处罚是（　）");
    bool seen = false;
    for (int width = 200; width <= 529 && !seen; ++width) {
        const auto fault = lineFault(stem, font, width);
        seen = fault && fault->what == QStringLiteral("breaks inside the blank");
    }
    EXPECT_TRUE(seen);
    EXPECT_FALSE(lineFault(QStringLiteral("短句（　）"), font, 529));
}

} // namespace
