#include "Unit1.h"

#include "bank/BankStore.h"
#include "common/AppPaths.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/LoadPicture.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

namespace kemuyi {

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setUpFixedWindow(*this, 690, 450);
    setFont(pixelFont(QStringLiteral("宋体"), 14));

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 690, 450);
    guardEvent([this] { LoadBuiltInPicture(*Image1, QStringLiteral(":/builtin/bground1.jpg")); });

    guardEvent([this] { FormCreate(); });
}

void TForm1::FormCreate()
{
    LoadPicture(*Image1, AppDir() + QStringLiteral("bground1.jpg"));
    CopyBank();
}

} // namespace kemuyi
