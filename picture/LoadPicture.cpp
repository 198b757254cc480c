#include "LoadPicture.h"

#include "JpegCodec.h"
#include "PictureHolder.h"
#include "common/AppPaths.h"
#include "common/Failure.h"

#include <QFile>
#include <QFileInfo>

namespace kemuyi {

void LoadPicture(PictureHolder &control, const QString &fileName)
{
    if (fileName.isEmpty()) {
        control.clearPicture();
        return;
    }
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
        throw Failure(QStringLiteral("无法加载图片 %1：不支持的图片格式").arg(fileName));

    control.setPicture(decodeJpegFile(resolveAssetPath(fileName)));
}

void LoadBuiltInPicture(PictureHolder &control, const QString &resourceName)
{
    QFile file(resourceName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法加载内置图片 %1").arg(resourceName));
    control.setPicture(decodeJpeg(file.readAll(), resourceName));
}

} // namespace kemuyi
