#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace kemuyi {

class ProgressStore;

// The learner's progress file as the windows use it: opened on first use, its notices reported
// once, and out of the way when it cannot be used, so practice never depends on it.
class LearnerProgress
{
public:
    // `storePath` is the progress file; `bankPath` the bank whose fingerprint keys the book.
    LearnerProgress(QString storePath, QString bankPath);
    ~LearnerProgress();

    // The open store, or null when it cannot be opened (reported once).
    ProgressStore *store();
    // The bank's fingerprint; empty when the bank cannot be read (reported once).
    QString bank();

    // Runs a write; a failure is reported once and the store is given up for this run, so a
    // full disk does not raise a box at every answer.
    void write(const std::function<void(ProgressStore &, const QString &bank)> &change);

private:
    QString m_storePath;
    QString m_bankPath;
    std::unique_ptr<ProgressStore> m_store;
    QString m_bank;
    bool m_unusable = false;
};

} // namespace kemuyi
