#include "Topics.h"

#include <algorithm>

namespace kemuyi {

const QVector<Topic> &topics()
{
    static const QVector<Topic> list = {
        {QStringLiteral("signals"), QStringLiteral("交通信号")},
        {QStringLiteral("passage"), QStringLiteral("通行规定")},
        {QStringLiteral("licence"), QStringLiteral("驾驶证和机动车管理")},
        {QStringLiteral("points"), QStringLiteral("记分与学习")},
        {QStringLiteral("liability"), QStringLiteral("法律责任")},
        {QStringLiteral("courtesy"), QStringLiteral("安全文明驾驶")},
        {QStringLiteral("conditions"), QStringLiteral("恶劣气候和特殊道路")},
        {QStringLiteral("emergency"), QStringLiteral("紧急情况处置")},
        {QStringLiteral("accident"), QStringLiteral("事故处理与急救")},
        {QStringLiteral("vehicle"), QStringLiteral("车辆操纵、仪表和灯光")},
        {QStringLiteral("motorcycle"), QStringLiteral("摩托车驾驶")},
    };
    return list;
}

bool isKnownTopic(const QString &key)
{
    const auto &list = topics();
    return std::any_of(list.begin(), list.end(), [&](const Topic &topic) { return topic.key == key; });
}

QString topicLabel(const QString &key)
{
    for (const Topic &topic : topics()) {
        if (topic.key == key)
            return topic.label;
    }
    return key;
}

} // namespace kemuyi
