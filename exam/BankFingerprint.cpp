#include "BankFingerprint.h"

#include "common/Failure.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace kemuyi {

QString bankFingerprint(const QString &path)
{
    static QHash<QString, QString> remembered;
    const QFileInfo info(path);
    const QString key = QStringLiteral("%1\n%2\n%3").arg(info.absoluteFilePath()).arg(info.size())
                            .arg(info.lastModified().toMSecsSinceEpoch());
    const auto found = remembered.constFind(key);
    if (found != remembered.constEnd())
        return *found;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("读取题库文件 %1 失败：%2").arg(path, file.errorString()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        throw Failure(QStringLiteral("读取题库文件 %1 失败：%2").arg(path, file.errorString()));
    const QString fingerprint = QString::fromLatin1(hash.result().left(16).toHex());
    remembered.insert(key, fingerprint);
    return fingerprint;
}

} // namespace kemuyi
