#include "Controls.h"

#include "Fonts.h"
#include "PictureBox.h"

#include <QLabel>

namespace kemuyi {

QLabel *paperLabel(QWidget *parent, const char *name, const QRect &place, int pixels)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setFont(pixelFont(QStringLiteral("宋体"), pixels));
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Window);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

PictureBox *pictureBox(QWidget *parent, const char *name, const QRect &place)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

} // namespace kemuyi
