#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace kemuyi::fuzz {

QString privateDir()
{
    static QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "fuzz: cannot create a temporary folder: %s\n",
                     dir.errorString().toLocal8Bit().constData());
        std::abort();
    }
    return dir.path();
}

void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "fuzz: cannot write %s: %s\n", path.toLocal8Bit().constData(),
                     file.errorString().toLocal8Bit().constData());
        std::abort();
    }
}

QByteArray inputBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

void violated(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz: property violated: %s\n%s\n", what, detail.toUtf8().constData());
    std::abort();
}

} // namespace kemuyi::fuzz
