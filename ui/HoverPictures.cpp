#include "HoverPictures.h"

#include "FailureReport.h"
#include "ImageButton.h"
#include "common/AppPaths.h"
#include "picture/LoadPicture.h"

#include <exception>

namespace kemuyi {

void HoverPictures::load(ImageButton &button, const QString &file)
{
    try {
        LoadPicture(button, AppDir() + file);
    } catch (const std::exception &e) {
        if (m_reported.contains(file))
            return;
        m_reported.insert(file);
        reportFailure(QString::fromUtf8(e.what()));
    }
}

namespace {

ImageButton *ownButton(const QWidget &window, QWidget *control)
{
    auto *button = qobject_cast<ImageButton *>(control);
    return button && button->parentWidget() == &window ? button : nullptr;
}

} // namespace

void HoverPictures::enter(const QWidget &window, QWidget *control, bool onlyEnabled)
{
    ImageButton *button = ownButton(window, control);
    if (button && (!onlyEnabled || button->isEnabled()))
        load(*button, button->hoverFile());
}

void HoverPictures::leave(const QWidget &window, QWidget *control)
{
    if (ImageButton *button = ownButton(window, control))
        load(*button, button->normalFile());
}

} // namespace kemuyi
