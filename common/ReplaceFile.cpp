#include "ReplaceFile.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace kemuyi {

namespace {

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

std::optional<QString> replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    if (error)
        return QString::fromLocal8Bit(error.message().c_str());
    return std::nullopt;
}

} // namespace kemuyi
