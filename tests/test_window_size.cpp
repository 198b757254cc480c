// The size setting: its choices and default, the learner's settings file, and windows drawn at
// double size with the sharp pictures, pixel for pixel, and the others enlarged smoothly.

#include "PracticeFixture.h"

#include "app/ScoreChart.h"
#include "app/StudyCharts.h"
#include "app/Unit1.h"
#include "picture/JpegCodec.h"
#include "ui/Fonts.h"
#include "ui/InterfaceScale.h"
#include "ui/LearnerSettings.h"

#include <QFile>
#include <functional>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>

namespace kemuyi::test {
namespace {

TEST(SizeSetting, TheDefaultIsTheLargestSizeTakingAtMostHalfTheScreen)
{
    EXPECT_EQ(defaultSizeChoice(1024), 100);
    EXPECT_EQ(defaultSizeChoice(1366), 100);
    EXPECT_EQ(defaultSizeChoice(1920), 125);
    EXPECT_EQ(defaultSizeChoice(2560), 150);
    EXPECT_EQ(defaultSizeChoice(2759), 150);
    EXPECT_EQ(defaultSizeChoice(2760), 200); // 690 × 2 is exactly half
    EXPECT_EQ(defaultSizeChoice(3840), 200);
    EXPECT_EQ(nextSizeChoice(100), 125);
    EXPECT_EQ(nextSizeChoice(150), 200);
    EXPECT_EQ(nextSizeChoice(200), 100);
}

TEST(SizeSetting, TheChoiceIsKeptInTheLearnersConfigFolder)
{
    Sandbox sandbox;
    EXPECT_FALSE(savedSizePercent());
    EXPECT_EQ(settingsPath(), sandbox.path(QStringLiteral("config/kemuyi/settings")));
    saveSizePercent(150);
    EXPECT_TRUE(QFile::exists(settingsPath()));
    EXPECT_EQ(savedSizePercent(), 150);
    EXPECT_EQ(startingSizePercent(), 150);
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("window/size"), QStringLiteral("130"));
    }
    EXPECT_FALSE(savedSizePercent()) << "a size not offered counts as none";
}

// A picture whose halves differ, so that a scaled-up copy of a one-colour picture cannot pass.
QImage twoHalves(int width, int height, QRgb left, QRgb right)
{
    QImage image = solidImage(width, height, left);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, QColor(right));
    return image;
}

// Vertical stripes four pixels wide: enlarged in blocks they keep hard edges, smoothly they do not.
QImage stripes(int width, int height)
{
    QImage image = solidImage(width, height, qRgb(0, 0, 0));
    QPainter painter(&image);
    for (int x = 0; x < width; x += 8)
        painter.fillRect(x, 0, 4, height, Qt::white);
    return image;
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

class DoubleSizeTest : public PracticeWindowTest
{
protected:
    void SetUp() override
    {
        PracticeWindowTest::SetUp();
        writeJpeg(sandbox.appDir() + QStringLiteral("1@2x.jpg"), twoHalves(120, 80, qRgb(200, 30, 30), qRgb(30, 30, 200)));
        writeJpeg(sandbox.appDir() + QStringLiteral("2.jpg"), stripes(60, 40));
        setInterfaceScale(2);
    }
    void TearDown() override { setInterfaceScale(1); }

    // The control as the window draws it.
    QImage drawn(QWidget *control)
    {
        const QImage shot = form->grab().toImage();
        return shot.copy(QRect(control->mapTo(form.get(), QPoint(0, 0)), control->size()));
    }
};

TEST_F(DoubleSizeTest, WindowTextPicturesAndHitAreasScaleTogether)
{
    showFor(QStringLiteral("C1C2C3C4"));
    form->ImgSxlxClick();
    EXPECT_EQ(form->size(), QSize(1380, 900));
    EXPECT_EQ(form->ImgA->geometry(), QRect(288, 96, 120, 80));
    EXPECT_EQ(form->Label1->geometry(), QRect(288, 192, 1058, 594));
    EXPECT_EQ(form->Label1->font().pixelSize(), 32);
    EXPECT_EQ(form->Image2->geometry(), QRect(480, 528, 658, 258));
    // The pointer finds each control where it is drawn.
    EXPECT_EQ(form->childAt(QPoint(270, 48) * 2 + QPoint(30, 20)), form->ImgC);
    EXPECT_EQ(form->childAt(QPoint(395, 48) * 2 + QPoint(30, 30)), form->ImgRead);

    // A: its double-resolution picture, pixel for pixel.
    EXPECT_EQ(form->ImgA->picture().devicePixelRatio(), 2);
    const QImage sharp = decodeJpegFile(sandbox.appDir() + QStringLiteral("1@2x.jpg"));
    EXPECT_EQ(meanDifference(drawn(form->ImgA), sharp.convertToFormat(QImage::Format_RGB32)), 0.0);

    // B has no sharper form: enlarged smoothly, not in blocks.
    const QImage plain = decodeJpegFile(sandbox.appDir() + QStringLiteral("2.jpg"));
    const QImage smooth = plain.scaled(120, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage blocks = plain.scaled(120, 80, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage b = drawn(form->ImgB);
    EXPECT_LT(meanDifference(b, smooth) * 3, meanDifference(b, blocks));

    // The mark of a choice grows with the rest.
    form->ImgAClick();
    EXPECT_EQ(framedButtons(*form, {form->ImgA, form->ImgB}), QStringList{QStringLiteral("ImgA")});
    EXPECT_TRUE(nearColour(drawn(form->ImgA).pixel(5, 40), ImageButton::markColour().rgb()));
}

// The keys are named in tooltips, and failures and questions come in message boxes: both are read
// at the learner's size, and go back with it.
TEST_F(DoubleSizeTest, TooltipsAndMessageBoxesGrowWithTheRest)
{
    const auto size = [](const QFont &font) { return font.pixelSize() > 0 ? qreal(font.pixelSize()) : font.pointSizeF(); };
    const qreal designed = size(QApplication::font());
    QMessageBox box(QMessageBox::Question, QStringLiteral("确认"), QStringLiteral("是否退出？"));
    EXPECT_DOUBLE_EQ(size(QApplication::font("QTipLabel")), 2 * designed);
    box.ensurePolished();
    const QLabel *text = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    ASSERT_TRUE(text);
    EXPECT_DOUBLE_EQ(size(text->font()), 2 * designed);
    EXPECT_DOUBLE_EQ(size(QApplication::font()), designed) << "the application's own font is untouched";
    setInterfaceScale(1.5);
    EXPECT_NEAR(size(QApplication::font("QTipLabel")), 1.5 * designed, 1.0);
    setInterfaceScale(1);
    EXPECT_DOUBLE_EQ(size(QApplication::font("QMessageBox")), designed);
}

// The charts are painted by hand: at 2× each draws the picture it draws at 1×, twice as large,
// captions and names included (not the 1× text in a corner of a larger frame).
TEST_F(DoubleSizeTest, HandPaintedChartsGrowWithTheirWindowTextIncluded)
{
    const auto drawn = [](qreal scale, const std::function<QWidget *(QWidget *)> &make) {
        setInterfaceScale(scale);
        QWidget window;
        window.resize(529, 150);
        QWidget *chart = make(&window);
        chart->setGeometry(0, 0, 529, 150);
        chart->setFont(pixelFont(QStringLiteral("宋体"), 13));
        applyInterfaceScale(window);
        return chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const std::pair<const char *, std::function<QWidget *(QWidget *)>> charts[] = {
        {"topics", [](QWidget *parent) {
             auto *chart = new TopicChart(parent);
             chart->setTopics({{QStringLiteral("signals"), 120, 40, 30},
                               {QStringLiteral("vehicle"), 90, 20, 19}});
             return chart;
         }},
        {"days", [](QWidget *parent) {
             auto *chart = new DayChart(parent);
             chart->setDays({{1, 12, 9}, {2, 30, 25}, {3, 0, 0}, {4, 18, 17}}, 2);
             return chart;
         }},
        {"scores", [](QWidget *parent) {
             auto *chart = new ScoreChart(parent);
             chart->setScores({{0, QStringLiteral("C1C2C3C4"), 84, false, false}, {0, QStringLiteral("C1C2C3C4"), 96, true, false}}, 90);
             return chart;
         }},
    };
    for (const auto &[name, make] : charts) {
        const QImage plain = drawn(1, make);
        const QImage large = drawn(2, make);
        ASSERT_EQ(large.size(), plain.size() * 2) << name;
        const QImage shrunk = large.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(shrunk, plain), 4.0) << name;
    }
}

TEST_F(DoubleSizeTest, ASizeChosenWhileShownAppliesAtOnceAndTakesThePlainPicturesBack)
{
    setInterfaceScale(1);
    showFor(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(form->size(), QSize(690, 450));
    EXPECT_EQ(form->ImgA->picture().devicePixelRatio(), 1);
    setInterfaceScale(1.5);
    EXPECT_EQ(form->size(), QSize(1035, 675));
    EXPECT_EQ(form->ImgA->geometry(), QRect(216, 72, 90, 60));
    EXPECT_EQ(form->ImgA->picture().devicePixelRatio(), 2) << "the sharper picture, drawn smaller";
    EXPECT_EQ(form->Label1->font().pixelSize(), 24);
    setInterfaceScale(1);
    EXPECT_EQ(form->size(), QSize(690, 450));
    EXPECT_EQ(form->ImgA->geometry(), QRect(144, 48, 60, 40));
    EXPECT_EQ(form->ImgA->picture().devicePixelRatio(), 1);
    EXPECT_EQ(form->Label1->font().pixelSize(), 16);
}

using MenuSize = ProgramFolderTest;

TEST_F(MenuSize, WGoesRoundTheSizesAndKeepsTheChoice)
{
    TForm1 menu;
    menu.show();
    EXPECT_EQ(menu.sizeButton->text(), QStringLiteral("界面大小：100%（W）"));
    QTest::keyClick(&menu, Qt::Key_W);
    EXPECT_EQ(interfaceScale(), 1.25);
    EXPECT_EQ(savedSizePercent(), 125);
    EXPECT_EQ(menu.size(), QSize(863, 563));
    EXPECT_EQ(menu.sizeButton->text(), QStringLiteral("界面大小：125%（W）"));
    EXPECT_TRUE(menu.sizeButton->toolTip().contains(QStringLiteral("W键")));
    for (int press = 0; press < 3; ++press)
        menu.sizeButton->click();
    EXPECT_EQ(interfaceScale(), 1.0);
    EXPECT_EQ(savedSizePercent(), 100);
    EXPECT_EQ(menu.size(), QSize(690, 450));
}

} // namespace
} // namespace kemuyi::test
