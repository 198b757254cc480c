#include "LearnerSettings.h"

#include "InterfaceScale.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace kemuyi {

namespace {

const QString kSize = QStringLiteral("window/size");
const QString kAutoRead = QStringLiteral("speech/autoRead");

} // namespace

QString settingsPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/kemuyi/settings");
}

std::optional<int> savedSizePercent()
{
    bool ok = false;
    const int percent = QSettings(settingsPath(), QSettings::IniFormat).value(kSize).toInt(&ok);
    if (!ok || !sizeChoices().contains(percent))
        return std::nullopt;
    return percent;
}

void saveSizePercent(int percent)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(kSize, percent);
}

int startingSizePercent()
{
    if (const std::optional<int> saved = savedSizePercent())
        return *saved;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? defaultSizeChoice(screen->geometry().width()) : sizeChoices().first();
}

bool savedAutoRead()
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(kAutoRead, false).toBool();
}

void saveAutoRead(bool on)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(kAutoRead, on);
}

} // namespace kemuyi
