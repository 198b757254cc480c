#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kemuyi {

// kemuyi-bank import SOURCE OUT [--charset NAME] [--no-sync]: a Jet file converted to a bank.
// Returns the exit code; prints its own messages.
int runImport(const QStringList &args);

// The bank to read for `path`: the file itself, or for a Jet file its conversion in a temporary
// folder that lives as long as this object.
class ReadableBank
{
public:
    explicit ReadableBank(const QString &path);
    ~ReadableBank();
    const QString &path() const { return m_path; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

} // namespace kemuyi
