#include "Controls.h"

#include "Fonts.h"
#include "ImageButton.h"
#include "PictureBox.h"

#include <QLabel>

namespace kemuyi {

namespace {

QLabel *plainLabel(QWidget *parent, const char *name, const QRect &place, int pixels, const QColor &paper,
                   const QColor &ink)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setFont(pixelFont(QStringLiteral("宋体"), pixels));
    label->setAutoFillBackground(true);
    // Roles are inherited from the window (button face) unless set.
    label->setBackgroundRole(QPalette::Window);
    label->setForegroundRole(QPalette::WindowText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, paper);
    palette.setColor(QPalette::WindowText, ink);
    label->setPalette(palette);
    return label;
}

} // namespace

QLabel *paperLabel(QWidget *parent, const char *name, const QRect &place, int pixels)
{
    return plainLabel(parent, name, place, pixels, Qt::white, Qt::black);
}

QLabel *bandLabel(QWidget *parent, const char *name, const QRect &place)
{
    QLabel *label = plainLabel(parent, name, place, 15, QColor(0x1f, 0x3a, 0x4d), Qt::white);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Centred in the band's upper 22 pixels: the glyphs then keep 4 pixels from either edge.
    label->setContentsMargins(6, 0, 6, 2);
    return label;
}

PictureBox *pictureBox(QWidget *parent, const char *name, const QRect &place)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

ImageButton *imageButton(QWidget *parent, const char *name, const QRect &place, const QString &normalFile,
                         const QString &hoverFile)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setPictureFiles(normalFile, hoverFile);
    return button;
}

ImageButton *imageButton(QWidget *parent, const char *name, const QRect &place, const QString &stem)
{
    return imageButton(parent, name, place, stem + QStringLiteral(".jpg"), stem + QStringLiteral("_ovr.jpg"));
}

} // namespace kemuyi
