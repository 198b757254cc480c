#include "ProgressStore.h"

#include <QDateTime>
#include <QStringList>

// The progress file's part for the study centre: favourites and stopped runs.

namespace kemuyi {

namespace {

// A run's questions as stored: ids in decimal, comma-separated.
QString joinedIds(const QVector<qint32> &ids)
{
    QStringList parts;
    parts.reserve(ids.size());
    for (const qint32 id : ids)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

// Back from the stored text; nothing at all when any part is not a 32-bit number, since another
// program or a damaged disk may have written it.
std::optional<QVector<qint32>> splitIds(const QString &text)
{
    QVector<qint32> ids;
    if (text.isEmpty())
        return ids;
    const QStringList parts = text.split(QLatin1Char(','));
    ids.reserve(parts.size());
    for (const QString &part : parts) {
        bool ok = false;
        const qint32 id = part.toInt(&ok);
        if (!ok)
            return std::nullopt;
        ids.append(id);
    }
    return ids;
}

} // namespace

bool ProgressStore::isFavourite(const QString &bank, qint32 question) const
{
    SqliteStatement read(m_db, "SELECT 1 FROM favourite WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank);
    read.bind(2, qint64(question));
    return read.step();
}

void ProgressStore::setFavourite(const QString &bank, qint32 question, bool on)
{
    if (!on) {
        removeFavourites(bank, {question});
        return;
    }
    SqliteStatement add(m_db, "INSERT INTO favourite (bank, question, added) VALUES (?1, ?2, ?3)"
                              " ON CONFLICT (bank, question) DO NOTHING");
    add.bind(1, bank);
    add.bind(2, qint64(question));
    add.bind(3, QDateTime::currentMSecsSinceEpoch());
    add.step();
}

void ProgressStore::removeFavourites(const QString &bank, const QVector<qint32> &questions)
{
    QStringList ids;
    for (const qint32 id : questions)
        ids.append(QString::number(id));
    SqliteStatement remove(m_db, "DELETE FROM favourite WHERE bank = ?1 AND question IN (SELECT value FROM json_each(?2))");
    remove.bind(1, bank);
    remove.bind(2, jsonList(ids));
    remove.step();
}

QVector<qint32> ProgressStore::favourites(const QString &bank) const
{
    SqliteStatement read(m_db, "SELECT question FROM favourite WHERE bank = ?1 ORDER BY seq");
    read.bind(1, bank);
    QVector<qint32> ids;
    while (read.step())
        ids.append(qint32(read.integer(0)));
    return ids;
}

void ProgressStore::rememberRun(const QString &bank, const QString &category, const StoppedRun &run)
{
    SqliteStatement write(m_db, "INSERT OR REPLACE INTO stopped_run"
                                " (bank, category, mode, title, questions, position, updated)"
                                " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    write.bind(1, bank);
    write.bind(2, category);
    write.bind(3, run.mode);
    write.bind(4, run.title);
    write.bind(5, joinedIds(run.questions));
    write.bind(6, qint64(run.position));
    write.bind(7, QDateTime::currentMSecsSinceEpoch());
    write.step();
}

void ProgressStore::rememberPosition(const QString &bank, const QString &category, const QString &mode, int position)
{
    SqliteStatement write(m_db, "UPDATE stopped_run SET position = ?4, updated = ?5"
                                " WHERE bank = ?1 AND category = ?2 AND mode = ?3");
    write.bind(1, bank);
    write.bind(2, category);
    write.bind(3, mode);
    write.bind(4, qint64(position));
    write.bind(5, QDateTime::currentMSecsSinceEpoch());
    write.step();
}

std::optional<StoppedRun> ProgressStore::lastStoppedRun(const QString &bank, const QString &category) const
{
    SqliteStatement read(m_db, "SELECT mode, title, questions, position, updated FROM stopped_run"
                               " WHERE bank = ?1 AND category = ?2 ORDER BY updated DESC");
    read.bind(1, bank);
    read.bind(2, category);
    while (read.step()) {
        if (read.type(2) != SqliteStatement::Type::Text)
            continue;
        const std::optional<QVector<qint32>> ids = splitIds(read.text(2));
        if (!ids || ids->isEmpty())
            continue;
        StoppedRun run;
        run.mode = read.text(0);
        run.title = read.text(1);
        run.questions = *ids;
        const qint64 position = read.integer(3);
        run.position = position >= 1 && position <= ids->size() ? int(position) : 1;
        run.updatedMs = read.integer(4);
        return run;
    }
    return std::nullopt;
}

} // namespace kemuyi
