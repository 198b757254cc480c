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

} // namespace kemuyi
