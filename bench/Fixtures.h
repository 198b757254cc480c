#pragma once

#include <QString>
#include <QStringList>

namespace kemuyi::bench {

// Every benchmark's files live under one throw-away folder made at first use and removed by
// releaseFixtures(). The costly ones (banks of 100,000 questions) are made once and shared.
QString fixtureFolder(const QString &name);

// Points AppDir at the program folder, which holds every picture the practice window loads and
// the question illustrations, and returns it.
QString useAppFolder();
const QStringList &illustrationNames();

// A folder whose working copy (e9p7k6m8.lib) is a generated bank of `questions` rows.
QString bankFolder(int questions);
QString bankPath(int questions);

// Points GetTempDirectory() (TMPDIR) at `folder`.
void useTempFolder(const QString &folder);

void releaseFixtures();

} // namespace kemuyi::bench
