// Arbitrary bytes as the bank file: every BankStore call the practice window makes must either
// answer or throw a Failure.

#include "FuzzSupport.h"

#include "bank/BankStore.h"
#include "bank/QuestionSource.h"
#include "common/Failure.h"

#include <QFile>
#include <QStringList>
#include <QVector>

using namespace kemuyi;

namespace {

// More ids add time per input, not new paths.
constexpr int kMaxSelectedIds = 50;

void readFields(const BankStore &bank)
{
    for (const QString &name : sourceColumns()) {
        try {
            bank.FieldText(name);
        } catch (const Failure &) {
        }
    }
}

void queryCategory(BankStore &bank, const QString &code, QVector<qint32> &ids)
{
    try {
        bank.QueryCategoryCount(code);
        readFields(bank);
    } catch (const Failure &) {
    }
    try {
        for (const qint32 id : bank.QueryCategoryIds(code)) {
            if (ids.size() < kMaxSelectedIds && !ids.contains(id))
                ids.append(id);
        }
    } catch (const Failure &) {
    }
}

// SQLite may leave a journal, WAL or shared-memory file beside the bank; the next input must
// not see them.
void removeCompanions(const QString &path)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzz::privateDir() + QStringLiteral("/bank.lib");
    removeCompanions(path);
    fuzz::writeInput(path, data, size);
    {
        BankStore bank;
        try {
            bank.OpenBank(path);
        } catch (const Failure &) {
            return 0;
        }
        QVector<qint32> ids;
        for (const QString &code : categoryCodes())
            queryCategory(bank, code, ids);
        for (const qint32 id : ids) {
            try {
                bank.SelectQuestion(id);
                readFields(bank);
            } catch (const Failure &) {
            }
        }
    }
    removeCompanions(path);
    return 0;
}
