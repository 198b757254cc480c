#pragma once

#include "Support.h"

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

} // namespace kemuyi::test
