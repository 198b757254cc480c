#include "Progress.h"

#include "exam/BankFingerprint.h"
#include "exam/ProgressStore.h"
#include "ui/FailureReport.h"

namespace kemuyi {

namespace {

// The progress file's messages share one form: the file and what is wrong with it, then what
// that means for the learner's records, ending in one full stop.
const QString kNotSaved = QStringLiteral("，本次的练习和考试成绩不会保存。");

} // namespace

LearnerProgress::LearnerProgress(QString storePath, QString bankPath)
    : m_storePath(std::move(storePath)), m_bankPath(std::move(bankPath))
{
}

LearnerProgress::~LearnerProgress() = default;

ProgressStore *LearnerProgress::store()
{
    if (m_store || m_unusable)
        return m_store.get();
    try {
        m_store = std::make_unique<ProgressStore>(m_storePath);
        if (!m_store->notice().isEmpty())
            reportFailure(m_store->notice());
    } catch (const std::exception &e) {
        m_unusable = true;
        reportFailure(QString::fromUtf8(e.what()) + kNotSaved);
    }
    return m_store.get();
}

QString LearnerProgress::bank()
{
    if (m_bank.isEmpty() && !m_unusable) {
        try {
            m_bank = bankFingerprint(m_bankPath);
        } catch (const std::exception &e) {
            m_unusable = true;
            m_store.reset();
            reportFailure(QString::fromUtf8(e.what()) + kNotSaved);
        }
    }
    return m_bank;
}

void LearnerProgress::write(const std::function<void(ProgressStore &, const QString &)> &change)
{
    ProgressStore *open = store();
    const QString key = bank();
    if (!open || key.isEmpty() || m_unusable)
        return;
    try {
        change(*open, key);
    } catch (const std::exception &e) {
        m_unusable = true;
        m_store.reset();
        reportFailure(QString::fromUtf8(e.what()) + QStringLiteral("，本次之后的成绩不会保存。"));
    }
}

} // namespace kemuyi
