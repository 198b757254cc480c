#include "InterfaceScale.h"

#include "Windows.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"
#include "picture/PictureHolder.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QVariant>
#include <QWidget>
#include <QtMath>

namespace kemuyi {

namespace {

constexpr int kDesignWidth = 690;
const char *const kScale = "kemuyiScale";
const char *const kDesignRect = "kemuyiDesignRect";
const char *const kDesignFont = "kemuyiDesignFont";
const char *const kDesignSize = "kemuyiDesignSize";

qreal g_scale = 1;

QFont scaledFont(QFont font, qreal scale)
{
    // Rounded down, so a line that fits as designed still fits when larger.
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qFloor(font.pixelSize() * scale)));
    else
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

void scaleControl(QWidget &control, qreal scale)
{
    if (!control.property(kDesignRect).isValid())
        control.setProperty(kDesignRect, control.geometry());
    // Only fonts set on the control itself: the others follow their parent's.
    if (control.testAttribute(Qt::WA_SetFont) && !control.property(kDesignFont).isValid())
        control.setProperty(kDesignFont, control.font());
    if (control.property(kDesignFont).isValid())
        control.setFont(scaledFont(control.property(kDesignFont).value<QFont>(), scale));
    control.setGeometry(scaledRect(control.property(kDesignRect).toRect(), scale));
}

// A picture loaded for the other side of 1 is loaded again; one that cannot be keeps showing,
// smoothly scaled, as a picture without a sharper form does.
void reloadPicture(PictureHolder &holder)
{
    if (holder.pictureFile().isEmpty())
        return;
    const bool sharp = holder.picture().devicePixelRatio() > 1;
    if (sharp == (holder.pictureScale() > 1))
        return;
    try {
        LoadPicture(holder, holder.pictureFile());
    } catch (const Failure &) {
    }
}

void scaleTree(QWidget &parent, qreal scale)
{
    for (QObject *child : parent.children()) {
        auto *control = qobject_cast<QWidget *>(child);
        // A window of its own (a dialog owned by this one) scales when it is shown.
        if (!control || control->isWindow())
            continue;
        scaleControl(*control, scale);
        if (auto *holder = dynamic_cast<PictureHolder *>(control))
            reloadPicture(*holder);
        scaleTree(*control, scale);
    }
}

} // namespace

const QList<int> &sizeChoices()
{
    static const QList<int> choices = {100, 125, 150, 200};
    return choices;
}

int nextSizeChoice(int percent)
{
    for (int choice : sizeChoices()) {
        if (choice > percent)
            return choice;
    }
    return sizeChoices().first();
}

int defaultSizeChoice(int screenWidth)
{
    int chosen = sizeChoices().first();
    for (int choice : sizeChoices()) {
        if (kDesignWidth * choice <= screenWidth * 50)
            chosen = choice;
    }
    return chosen;
}

qreal interfaceScale()
{
    return g_scale;
}

namespace {

// Tooltips and message boxes are Qt's own windows, made on demand: they take the size through
// the fonts the application gives their kinds. The application's own font stays as it is.
void scaleSystemWindowFonts(qreal scale)
{
    static const QFont designed = QApplication::font();
    for (const char *kind : {"QTipLabel", "QMessageBox"})
        QApplication::setFont(scaledFont(designed, scale), kind);
}

} // namespace

void setInterfaceScale(qreal scale)
{
    g_scale = scale;
    scaleSystemWindowFonts(scale);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->property(kDesignSize).isValid() && window->isVisible())
            applyInterfaceScale(*window);
    }
}

void applyInterfaceScale(QWidget &window)
{
    if (!window.property(kDesignSize).isValid())
        window.setProperty(kDesignSize, window.size());
    if (window.testAttribute(Qt::WA_SetFont) && !window.property(kDesignFont).isValid())
        window.setProperty(kDesignFont, window.font());
    const bool changed = appliedScale(window) != g_scale;
    window.setProperty(kScale, g_scale);
    window.setFixedSize(scaledRect(QRect(QPoint(0, 0), window.property(kDesignSize).toSize()), g_scale).size());
    if (window.property(kDesignFont).isValid())
        window.setFont(scaledFont(window.property(kDesignFont).value<QFont>(), g_scale));
    scaleTree(window, g_scale);
    if (changed)
        centerOnScreen(window);
}

qreal appliedScale(const QWidget &control)
{
    const QVariant scale = control.window()->property(kScale);
    return scale.isValid() ? scale.toReal() : 1;
}

QRect scaledRect(const QRect &design, qreal scale)
{
    const int left = qRound(design.x() * scale);
    const int top = qRound(design.y() * scale);
    return QRect(left, top, qRound((design.x() + design.width()) * scale) - left,
                 qRound((design.y() + design.height()) * scale) - top);
}

QSizeF paintInDesignPixels(QPainter &painter, const QWidget &control)
{
    const qreal scale = appliedScale(control);
    painter.scale(scale, scale);
    return QSizeF(control.size()) / scale;
}

QRect designGeometry(const QWidget &control)
{
    const QVariant design = control.property(kDesignRect);
    return design.isValid() ? design.toRect() : control.geometry();
}

void setDesignSize(QWidget &control, const QSize &size)
{
    // Before its window was first scaled, a control's place is its designed place.
    if (!control.property(kDesignRect).isValid()) {
        control.resize(size);
        return;
    }
    QRect design = control.property(kDesignRect).toRect();
    design.setSize(size);
    control.setProperty(kDesignRect, design);
    control.resize(scaledRect(design, appliedScale(control)).size());
}

} // namespace kemuyi
