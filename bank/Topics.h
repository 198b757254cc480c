#pragma once

#include <QString>
#include <QVector>

namespace kemuyi {

// The content areas of the theory test. Every question of the shipped source names one, so the
// bank tool can show how well each area is covered and which are thin.
struct Topic
{
    QString key;   // as written in the source's topic column
    QString label; // as the bank tool prints it
};

const QVector<Topic> &topics();
bool isKnownTopic(const QString &key);
// The label of a known key; the key itself otherwise, so nothing is hidden from the reader.
QString topicLabel(const QString &key);

} // namespace kemuyi
