#pragma once

#include "Support.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "bank/BankStore.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace kemuyi::test {

inline bool nearColour(QRgb a, QRgb b, int tolerance = 24)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
           && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The answer buttons whose frame shows on the window as drawn: the middle of each edge, one pixel
// in, has the mark's colour.
inline QStringList framedButtons(QWidget &window, std::initializer_list<ImageButton *> buttons)
{
    const QImage shot = window.grab().toImage();
    const qreal scale = shot.devicePixelRatio();
    const QRgb mark = ImageButton::markColour().rgb();
    QStringList framed;
    for (ImageButton *button : buttons) {
        if (!button->isVisibleTo(&window))
            continue;
        const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
        const QPoint edges[] = {{place.left() + 1, place.center().y()}, {place.right() - 1, place.center().y()},
                                {place.center().x(), place.top() + 1}, {place.center().x(), place.bottom() - 1}};
        int marked = 0;
        for (const QPoint edge : edges)
            marked += nearColour(shot.pixel(edge * scale), mark);
        if (marked == 4)
            framed.append(button->objectName());
    }
    return framed;
}

// Questions of category C1C2C3C4 in ascending id: a choice question with an illustration, a
// true/false one without, two more choice and true/false questions; one DEF question besides.
inline QVector<Question> practiceRows()
{
    Question first = choiceRow(101, QStringLiteral("C1C2C3C4"), QStringLiteral("B"));
    first.pic = QStringLiteral("sign");
    return {first,
            judgeRow(102, QStringLiteral("C1C2C3C4"), QStringLiteral("正确")),
            choiceRow(103, QStringLiteral("C1C2C3C4"), QStringLiteral("C")),
            judgeRow(104, QStringLiteral("C1C2C3C4"), QStringLiteral("错误")),
            judgeRow(900, QStringLiteral("DEF"), QStringLiteral("正确"))};
}

// A practice window over a sandboxed program folder holding every picture and a bank.
class PracticeWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeAllPictures(sandbox.appDir());
        writeBank(workingCopyPath(), practiceRows());
        form = std::make_unique<TForm2>();
        form->setAdvanceDelay(40);
    }

    void showFor(const QString &code)
    {
        form->Edit1->setText(code);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QString status() const { return form->Label2->text(); }
    QString feedback() const { return pictureName(form->Image1->picture()); }
    qint32 position() const { return form->run().CurrentPosition; }
    qint32 choiceAt(int slot) const { return form->run().AnswerSheet[slot].Choice; }
    bool choiceButtonsShown() const
    {
        return form->ImgA->isVisibleTo(form.get()) && form->ImgB->isVisibleTo(form.get())
               && form->ImgC->isVisibleTo(form.get()) && form->ImgD->isVisibleTo(form.get())
               && !form->ImgDui->isVisibleTo(form.get()) && !form->ImgCuo->isVisibleTo(form.get());
    }
    bool judgeButtonsShown() const
    {
        return !form->ImgA->isVisibleTo(form.get()) && !form->ImgB->isVisibleTo(form.get())
               && !form->ImgC->isVisibleTo(form.get()) && !form->ImgD->isVisibleTo(form.get())
               && form->ImgDui->isVisibleTo(form.get()) && form->ImgCuo->isVisibleTo(form.get());
    }

    Sandbox sandbox;
    FailureLog failures;
    std::unique_ptr<TForm2> form;
};

// A sandboxed program folder holding every picture and the bank where the program looks for it.
class ProgramFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeAllPictures(sandbox.appDir());
        writeBank(sandbox.appDir() + QStringLiteral("examdb.lib"), bankRows());
    }
    virtual QVector<Question> bankRows() const { return practiceRows(); }

    Sandbox sandbox;
    FailureLog failures;
};

// The menu over such a folder, shown, with the practice window it opens.
class MenuTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        menu = std::make_unique<TForm1>();
        practice = new TForm2(menu.get());
        menu->setPracticeWindow(practice);
        menu->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
    }

    std::unique_ptr<TForm1> menu;
    TForm2 *practice = nullptr;
};

} // namespace kemuyi::test
