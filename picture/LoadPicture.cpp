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

    if (control.pictureScale() > 1) {
        const QString sharp = resolveAssetPath(doubleResolutionName(fileName));
        if (QFileInfo::exists(sharp)) {
            QImage picture = decodeJpegFile(sharp);
            picture.setDevicePixelRatio(2);
            control.setPicture(picture, fileName);
            return;
        }
    }
    control.setPicture(decodeJpegFile(resolveAssetPath(fileName)), fileName);
}

QString doubleResolutionName(const QString &fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    QString name = fileName;
    return dot > slash ? name.insert(dot, QLatin1String("@2x")) : name + QLatin1String("@2x");
}

void LoadBuiltInPicture(PictureHolder &control, const QString &resourceName)
{
    QFile file(resourceName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法加载内置图片 %1").arg(resourceName));
    control.setPicture(decodeJpeg(file.readAll(), resourceName));
}

} // namespace kemuyi
