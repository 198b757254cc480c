// Every question of the shipped bank as a learner sees it in the real practice window: no text
// under the illustration, no line cut, no blank broken across lines; and the menu's introduction
// inside its box. The real fonts and pictures are used, so a new question that does not fit the
// window fails here rather than on a learner's screen.

#include "Support.h"

#include "app/Unit1.h"
#include "app/Progress.h"
#include "app/StudyWindow.h"
#include "app/Unit2.h"
#include "exam/ProgressStore.h"
#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QPlainTextEdit>
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

// Every page of the study centre for every category, with records on every page, and its search
// list: each text inside its frame and uncut, no control over another, the lists' entries whole.
TEST_F(ShippedProgram, TheStudyCentresPagesAndTheSearchListFit)
{
    LearnerProgress progress(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
    TForm2 form;
    form.setProgress(&progress);
    QStringList faults;
    const auto fits = [&faults](const QString &where, QLabel *label) {
        if (!label->isVisible() || label->text().isEmpty())
            return;
        const QRect inside = label->contentsRect().adjusted(4, 0, -4, 0);
        if (const auto fault = lineFault(label->text(), label->font(), inside.width()))
            faults.append(where + label->objectName() + QStringLiteral(" ") + fault->what + QStringLiteral(": ") + fault->line);
        const QRect needed = label->fontMetrics().boundingRect(inside, Qt::TextWordWrap, label->text());
        if (needed.height() > label->contentsRect().height())
            faults.append(where + label->objectName() + QStringLiteral(" cut at the bottom: ") + label->text());
    };
    const auto pageFits = [&](const QString &where, StudyWindow &study) {
        for (QLabel *label : {study.titleBand, study.pageInfo, study.statusLabel})
            fits(where, label);
        QList<QWidget *> controls = {study.pageInfo, study.searchField, study.entryList, study.statusLabel,
                                     study.openButton, study.removeButton, study.exitButton};
        for (ImageButton *button : study.pageButtons)
            controls.append(button);
        QList<QWidget *> shown;
        for (QWidget *control : controls) {
            if (control->isVisible())
                shown.append(control);
        }
        for (int i = 0; i < shown.size(); ++i) {
            for (int j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    faults.append(where + shown[i]->objectName() + QStringLiteral(" over ") + shown[j]->objectName());
            }
        }
        const int width = study.entryList->viewport()->width();
        for (int row = 0; row < study.entryList->count(); ++row) {
            const QRect item = study.entryList->visualItemRect(study.entryList->item(row));
            if (item.width() > width || item.left() < 0)
                faults.append(where + QStringLiteral("entry wider than the list: ") + study.entryList->item(row)->text());
        }
    };

    for (const char *code : {"C1C2C3C4", "A1A3B1", "A2B2", "M", "DEF"}) {
        form.Edit1->setText(QString::fromLatin1(code));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        // Records on every page: a favourite, a wrong answer, a stopped run.
        form.ImgSxlxClick();
        form.favouriteClicked();
        form.ImgCuoClick();
        form.ImgAClick();
        bool visited = false;
        QTimer::singleShot(0, [&] {
            StudyWindow &study = *form.studyWindow();
            for (int page = 0; page < study.pageButtons.size(); ++page) {
                study.pageButtons[page]->click();
                pageFits(QStringLiteral("%1 page %2: ").arg(QString::fromLatin1(code)).arg(page + 1), study);
            }
            study.showPage(StudyWindow::Page::Search);
            for (const QString &words : {QStringLiteral("机动车"), QStringLiteral("灯"), QStringLiteral("驾驶人 应当")}) {
                study.searchField->setText(words);
                pageFits(QStringLiteral("%1 search %2: ").arg(QString::fromLatin1(code), words), study);
            }
            EXPECT_GT(study.entryList->count(), 0) << code;
            // A long query is shortened in the set's name, so the progress line keeps its counts.
            study.searchField->setText(QStringLiteral("驾驶   应当 行驶 道路 驾驶"));
            EXPECT_GT(study.entryList->count(), 0) << code;
            QTest::keyClick(study.searchField, Qt::Key_Return);
            visited = true;
            if (study.isVisible())
                study.reject();
        });
        form.studyClicked();
        EXPECT_TRUE(visited);
        const QString line = form.LabelProgress->text();
        const QRect band = form.LabelProgress->contentsRect();
        if (form.LabelProgress->fontMetrics().horizontalAdvance(line) > band.width())
            faults.append(QStringLiteral("%1 progress line cut: ").arg(QString::fromLatin1(code)) + line);
        form.hide();
    }
    // The longest topic name with four-digit counts still fits the band.
    const QString longest = QStringLiteral("专项：车辆操纵、仪表和灯光 第 1234/1500 题 · 答对 1234 · 答错 1234");
    if (form.LabelProgress->fontMetrics().horizontalAdvance(longest) > form.LabelProgress->contentsRect().width())
        faults.append(QStringLiteral("progress line cut: ") + longest);
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

TEST_F(ShippedProgram, IntroductionLinesFitTheMemo)
{
    TForm1 menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QPlainTextEdit &memo = *menu.Memo1;
    const int margin = int(memo.document()->documentMargin());
    const int visible = memo.viewport()->width() - 2 * margin;
    const QFontMetrics metrics(memo.font());
    QStringList cut;
    for (const QString &line : memo.toPlainText().split(QLatin1Char('\n'))) {
        if (metrics.horizontalAdvance(line) > visible)
            cut.append(line);
    }
    EXPECT_TRUE(cut.isEmpty()) << "lines wider than " << visible << " px:\n" << cut.join('\n').toStdString();
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
