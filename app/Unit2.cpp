#include "Unit2.h"

#include "common/AppPaths.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/LoadPicture.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

namespace kemuyi {

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setUpFixedWindow(*this, 690, 450);
    setFont(pixelFont(QStringLiteral("宋体"), 14));

    Image5 = new PictureBox(this);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setGeometry(0, 0, 690, 450);
    guardEvent([this] { LoadBuiltInPicture(*Image5, QStringLiteral(":/builtin/bground2.jpg")); });

    guardEvent([this] { FormCreate(); });
}

void TForm2::FormCreate()
{
    LoadPicture(*Image5, AppDir() + QStringLiteral("bground2.jpg"));
}

} // namespace kemuyi
