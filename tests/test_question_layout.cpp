// Every window and page as a learner sees it, with the shipped bank, fonts and pictures: every
// question in the practice window, the menu's introduction, the exam window's start page (with
// and without an unfinished exam), the exam, the result and its review, the drill, and every
// explanation in its panel. No text under a picture, no line cut, no blank broken across lines,
// text at least 4 px inside its frame. A new question or text that does not fit fails here rather
// than on a learner's screen.

#include "Support.h"

#include "app/ExamWindow.h"
#include "app/Progress.h"
#include "app/Unit1.h"
#include "app/SmartReviewPage.h"
#include "app/StatsPage.h"
#include "app/StudyCharts.h"
#include "app/StudyWindow.h"
#include "app/Unit2.h"
#include "exam/ProgressStore.h"
#include "bank/BankStore.h"
#include "bank/Topics.h"
#include "common/AppPaths.h"
#include "practice/QuestionText.h"
#include "ui/Controls.h"
#include "ui/ExplanationPanel.h"
#include "ui/ImageButton.h"
#include "ui/InterfaceScale.h"
#include "ui/PictureBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>

#include <iostream>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

const QString kShippedDir = QStringLiteral(KEMUYI_BIN_DIR "/");

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

// ---- the rules every page is held to ----

constexpr int kInset = 4;

// The label as painted by itself: a grab leaves out the pictures drawn over it.
QImage paintedLabel(QLabel &label)
{
    return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels that stand out from the label's paper: its text.
QRect inkBounds(const QImage &painted, QRgb paper, const QRect &area)
{
    QRect bounds;
    const QRect clipped = area & painted.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (std::abs(qGray(painted.pixel(x, y)) - qGray(paper)) > 90)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Where a picture drawn over `label` covers it, in the label's coordinates: the picture of a
// picture box (centred or not), or a whole picture button.
QRect coverIn(const QLabel &label, QWidget &cover)
{
    QRect drawn;
    if (auto *box = qobject_cast<PictureBox *>(&cover)) {
        const QImage picture = box->picture();
        if (picture.isNull())
            return {};
        const QPoint origin = box->isCentered()
            ? QPoint((box->width() - picture.width()) / 2, (box->height() - picture.height()) / 2)
            : QPoint(0, 0);
        drawn = QRect(box->pos() + origin, picture.size()) & box->geometry();
    } else {
        drawn = cover.geometry();
    }
    return drawn.translated(-label.pos()) & label.rect();
}

// The pictures and picture buttons drawn over `label`: its later siblings, shown.
QList<QWidget *> picturesOver(const QLabel &label)
{
    QList<QWidget *> over;
    const QObjectList &siblings = label.parentWidget()->children();
    for (qsizetype i = siblings.indexOf(const_cast<QLabel *>(&label)) + 1; i < siblings.size(); ++i) {
        auto *widget = qobject_cast<QWidget *>(siblings.at(i));
        if (widget && widget->isVisible() && (qobject_cast<PictureBox *>(widget) || qobject_cast<ImageButton *>(widget)))
            over.append(widget);
    }
    return over;
}

// What is wrong with one label on screen: text cut off at its edge or beyond its height, text
// closer than 4 px to its frame, or text under a picture drawn over it.
QStringList labelFaults(QLabel &label)
{
    QStringList faults;
    if (!label.isVisible() || label.text().isEmpty() || !label.autoFillBackground())
        return faults;
    const QString name = label.objectName() + QStringLiteral(": ");
    const QRect inside = label.contentsRect();
    if (label.wordWrap()) {
        if (label.heightForWidth(label.width()) > label.height())
            faults.append(name + QStringLiteral("wrapped text taller than the label"));
    } else {
        const QFontMetrics metrics(label.font());
        const QStringList lines = label.text().split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (metrics.horizontalAdvance(line) > inside.width())
                faults.append(name + QStringLiteral("line wider than the label: ") + line);
        }
        if (lines.size() * metrics.lineSpacing() > inside.height())
            faults.append(name + QStringLiteral("more lines than the label holds"));
    }
    const QRgb paper = label.palette().color(label.backgroundRole()).rgb();
    const QList<QWidget *> over = picturesOver(label);
    const QImage bare = paintedLabel(label);
    const QRect ink = inkBounds(bare, paper, bare.rect());
    // The question area keeps the exam terminal's layout: the first line is indented by its two
    // spaces, but wrapped lines run from edge to edge of the 529 pixels, and a margin would move
    // every line break the shipped questions were written for. There the sides only hold the text
    // (a wider line is caught as cut); the top and the bottom keep the 4 pixels.
    const bool questionArea = label.objectName() == QLatin1String("Label1")
                              || label.objectName() == QLatin1String("questionLabel");
    const int side = questionArea ? 0 : kInset;
    const QRect allowed = bare.rect().adjusted(side, kInset, -side, -kInset);
    if (!ink.isEmpty() && !allowed.contains(ink))
        faults.append(name + QStringLiteral("text closer than %1 px to the frame (ink %2,%3 to %4,%5 in %6×%7)")
                                 .arg(kInset).arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())
                                 .arg(bare.width()).arg(bare.height()));
    for (QWidget *cover : over) {
        const QRect covered = coverIn(label, *cover);
        if (!covered.isEmpty() && !inkBounds(bare, paper, covered).isEmpty())
            faults.append(name + QStringLiteral("text under ") + cover->objectName());
    }
    return faults;
}

// Every label of a window or page, each fault prefixed with `where`.
QStringList pageFaults(QWidget &window, const QString &where)
{
    QStringList faults;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        for (const QString &fault : labelFaults(*label))
            faults.append(where + QStringLiteral(" · ") + fault);
    }
    return faults;
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
            faults += pageFaults(form, where);
            if (const auto fault = lineFault(form.Label1->text(), form.Label1->font(), form.Label1->contentsRect().width()))
                faults.append(where + fault->what + QStringLiteral(": ") + fault->line);
            form.ImgNextClick();
        }
        form.hide();
    }
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
    EXPECT_GT(shown, 1000);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults, the first of them:\n"
                                  << faults.mid(0, 40).join('\n').toStdString();
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
        for (QLabel *label : {study.titleBand, study.pageInfo, study.statusLabel, study.smartReviewPage->infoLabel,
                              study.smartReviewPage->limitCaption, study.statsPage->summaryLabel,
                              study.statsPage->readinessLabel})
            fits(where, label);
        QList<QWidget *> controls = {study.pageInfo, study.searchField, study.entryList, study.statusLabel,
                                     study.openButton, study.removeButton, study.exitButton,
                                     study.smartReviewPage, study.statsPage};
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
        // The topic chart's names stand whole in their column.
        if (study.statsPage->isVisible()) {
            const TopicChart &chart = *study.statsPage->topicChart;
            const QFontMetrics metrics(chart.nameFont());
            for (const TopicShare &topic : chart.topics()) {
                if (metrics.horizontalAdvance(topicLabel(topic.topic)) > chart.nameWidth())
                    faults.append(where + QStringLiteral("topic name cut: ") + topicLabel(topic.topic));
            }
            if (chart.topics().isEmpty())
                faults.append(where + QStringLiteral("no topics on the 统计 page"));
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
    // So does a smart review of the largest daily number with a four-digit due count.
    for (const QString &longest : {QStringLiteral("专项：车辆操纵、仪表和灯光 第 1234/1500 题 · 答对 1234 · 答错 1234"),
                                   QStringLiteral("智能复习 第 500/500 题（到期 1234 题） · 答对 500 · 答错 500")}) {
        if (form.LabelProgress->fontMetrics().horizontalAdvance(longest) > form.LabelProgress->contentsRect().width())
            faults.append(QStringLiteral("progress line cut: ") + longest);
    }
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
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

TEST(LayoutChecks, SeeTextAtTheFrameCutTextAndTextUnderAPicture)
{
    QWidget window;
    window.resize(400, 200);
    QLabel *label = paperLabel(&window, "label", {10, 10, 300, 60});
    label->setText(QStringLiteral("贴边的文字"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto has = [&](const char *what) {
        const QStringList faults = labelFaults(*label);
        return faults.join('\n').contains(QString::fromLatin1(what));
    };
    EXPECT_TRUE(has("closer than 4 px"));
    label->setContentsMargins(8, 8, 8, 8);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    EXPECT_TRUE(labelFaults(*label).isEmpty()) << labelFaults(*label).join('\n').toStdString();
    label->setWordWrap(true);
    label->setText(QString(60, QChar(u'字')));
    EXPECT_TRUE(has("taller than the label"));
    label->setText(QStringLiteral("一行字"));
    auto *button = new ImageButton(&window);
    button->setObjectName(QStringLiteral("cover"));
    button->setGeometry(20, 15, 60, 30);
    button->show();
    EXPECT_TRUE(has("text under cover"));
    button->move(200, 40);
    EXPECT_TRUE(labelFaults(*label).isEmpty()) << labelFaults(*label).join('\n').toStdString();
}

// ---- the practice window's status line beside 解析 ----

TEST_F(ShippedProgram, NoStatusLineRunsUnderTheExplanationButton)
{
    TForm2 form;
    form.Edit1->setText(QStringLiteral("C1C2C3C4"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.ImgSxlxClick();
    form.ImgHelpClick();
    ASSERT_TRUE(form.explainButton->isVisible());
    QStringList texts = {QStringLiteral(" 本类别题库中没有题目。")};
    for (const QString &value : {QStringLiteral("A"), QStringLiteral("正确"), QStringLiteral("错误")}) {
        texts << rightAnswerText(value) << wrongAnswerText(value) << hintText(value);
    }
    QStringList faults;
    for (const QString &text : texts) {
        form.Label2->setText(text);
        faults += labelFaults(*form.Label2);
    }
    // The longest the jump entry and its refusal get: five digits against a category of thousands.
    form.startJumpEntry();
    for (const Qt::Key key : {Qt::Key_9, Qt::Key_9, Qt::Key_9, Qt::Key_9, Qt::Key_9}) {
        QTest::keyClick(&form, key);
        faults += labelFaults(*form.Label2);
    }
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_TRUE(form.Label2->text().contains(QStringLiteral("99999"))) << form.Label2->text().toStdString();
    faults += labelFaults(*form.Label2);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

// ---- the exam window's pages ----

class ShippedExamWindow : public ShippedProgram
{
protected:
    void SetUp() override
    {
        ShippedProgram::SetUp();
        bank.OpenBank();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        form = std::make_unique<ExamWindow>(bank, progress.get());
        form->setClock([this] { return now; });
    }

    void open(const QString &code)
    {
        form->prepare(code);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // The explanation panel as shown: its text starts inside its margin, and what is longer than
    // the panel scrolls.
    void checkPanel(const QString &where)
    {
        ExplanationPanel &panel = *form->explanationPanel;
        if (!panel.isVisible())
            return;
        if (panel.document()->documentMargin() < kInset)
            faults.append(where + QStringLiteral(" · the explanation's margin is under 4 px"));
        const int needed = int(panel.document()->size().height() * panel.fontMetrics().lineSpacing());
        if (needed > panel.viewport()->height() && panel.verticalScrollBar()->maximum() == 0)
            faults.append(where + QStringLiteral(" · the explanation is cut and does not scroll"));
    }

    BankStore bank;
    qint64 now = 1'800'000'000'000;
    std::unique_ptr<LearnerProgress> progress;
    std::unique_ptr<ExamWindow> form;
    QStringList faults;
};

TEST_F(ShippedExamWindow, EveryPageIsReadable)
{
    for (const QString &code : {QStringLiteral("C1C2C3C4"), QStringLiteral("DEF")}) {
        open(code);
        faults += pageFaults(*form, code + QStringLiteral(" start page"));
        form->startClicked();
        ASSERT_EQ(form->page(), ExamWindow::Page::Exam);
        const int size = form->session()->size();
        for (int i = 0; i < size; ++i) {
            faults += pageFaults(*form, code + QStringLiteral(" exam question %1").arg(i + 1));
            if (i % 2)
                form->answer(ChoiceA); // half answered (a wrong kind is ignored), half left open
            form->nextClicked();
        }
        form->handInClicked();
        faults += pageFaults(*form, code + QStringLiteral(" hand-in question"));
        form->confirmClicked();
        ASSERT_EQ(form->page(), ExamWindow::Page::Result);
        faults += pageFaults(*form, code + QStringLiteral(" result"));
        const int missed = form->session()->result()->missed.size();
        for (int i = 0; i < missed; ++i) {
            form->nextClicked();
            const QString where = code + QStringLiteral(" review %1").arg(i + 1);
            EXPECT_TRUE(form->explanationPanel->isVisible()) << where.toStdString();
            faults += pageFaults(*form, where);
            checkPanel(where);
            form->explainClicked(); // the question with its picture
            faults += pageFaults(*form, where + QStringLiteral(" (question)"));
        }
        form->exitClicked();

        // An exam left open, and a full book: the start page says both.
        form->startClicked();
        form->answer(ChoiceTrue);
        form->exitClicked();
        open(code);
        ASSERT_TRUE(form->rulesLabel->text().contains(QStringLiteral("尚未交卷")));
        ASSERT_GT(form->bookCount(), 0);
        faults += pageFaults(*form, code + QStringLiteral(" start page with an unfinished exam"));

        form->drillClicked();
        for (int i = 0; i < form->bookCount(); ++i) {
            const QString where = code + QStringLiteral(" drill %1").arg(i + 1);
            faults += pageFaults(*form, where);
            form->answer(ChoiceA);
            form->answer(ChoiceFalse); // whichever fits the kind
            faults += pageFaults(*form, where + QStringLiteral(" judged"));
            checkPanel(where);
            form->nextClicked();
        }
        form->exitClicked();
        form->startClicked(); // the open exam, handed in so the next category starts clean
        form->handInClicked();
        form->confirmClicked();
        form->hide();
    }
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults, the first of them:\n"
                                  << faults.mid(0, 40).join('\n').toStdString();
}

TEST_F(ShippedExamWindow, EveryExplanationOfTheBankFitsItsPanelOrScrolls)
{
    ExplanationPanel &panel = *form->explanationPanel;
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    int scrolled = 0;
    int shown = 0;
    QVector<qint32> ids;
    for (const char *code : {"C1C2C3C4", "A1A3B1", "A2B2", "M", "DEF"})
        ids += bank.categoryIds(QString::fromLatin1(code));
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (const qint32 id : ids) {
        const Question question = bank.questionById(id, {Column::Answer, Column::Basis});
        panel.open(explanationText(QStringLiteral("第 100 题　正确答案：") + question.answer + QStringLiteral("　您的答案：未答"), question));
        ++shown;
        const QString where = QStringLiteral("explanation of %1").arg(id);
        checkPanel(where);
        scrolled += panel.verticalScrollBar()->maximum() > 0;
        if (question.explain.isEmpty())
            faults.append(where + QStringLiteral(" · the shipped bank has no explanation here"));
    }
    std::cout << shown << " explanations shown, " << scrolled << " of them scroll in their panel\n";
    EXPECT_GT(shown, 2000);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

} // namespace
