#pragma once

#include "Question.h"
#include "Sqlite.h"

#include <QString>
#include <QVector>

namespace kemuyi {

// Finding questions by the words of their stem and options.
//
// The index is an FTS5 table with the trigram tokenizer, which finds any run of three or more
// characters, so Chinese text needs no word splitting. A word of one or two characters is never
// found through it (the tokenizer has no trigram to look up), so such words are matched by a
// plain scan with instr() over table TK itself.
//
// The bank tool writes the index into the bank it builds. A bank without one (a Jet import, an
// older file) gets it in a side file beside the working copy, built at start-up: the working
// copy stays a byte-for-byte copy of the bank, whose fingerprint keys the learner's records,
// and its connection stays read-only.

// The index's table, in the bank or in the side file.
QString searchIndexTable();
// Creates the index table in `db` and fills it with the questions' stems and options.
void writeSearchIndex(SqliteDb &db, const QVector<Question> &questions);
// True when `db` holds a usable index table (one that answers a query).
bool hasSearchIndex(const SqliteDb &db);

// The side file for the working copy: beside it in the user's temporary folder.
QString searchIndexSidePath();

// What start-up did about the index.
enum class SearchIndexPlace { InBank, SideFile, None };

// Makes sure the bank at `bankPath` can be searched through an index: nothing when it holds
// one; otherwise writes the side file at `sidePath` from its rows (under a new name, renamed
// over the old, so a reader never sees half an index). An old side file is removed first, so a
// failure leaves no index of another bank behind: search then scans. Failures are thrown.
SearchIndexPlace prepareSearchIndex(const QString &bankPath, const QString &sidePath);

struct SearchHit
{
    qint32 id = 0;
    QString subject;
    QString topic; // the topic key; empty where the bank names none
};

// Searches one bank. Opens it read-only with the store's defensive settings, and the side file
// (when the bank has no index of its own) attached the same way.
class QuestionSearch
{
public:
    QuestionSearch();
    ~QuestionSearch();

    // `sidePath` may be empty or missing: then words of three or more characters are scanned too.
    void open(const QString &bankPath, const QString &sidePath = QString());
    bool isOpen() const { return m_db.isOpen(); }
    // Whether long words go through an index.
    bool indexed() const { return !m_indexSchema.isEmpty(); }

    // The questions of the category (TYPE containing `categoryCode`, any letter case) whose stem
    // or options contain every word of `words` (split at white space), in ascending id order.
    // No words, no hits. Rows whose ID is not a 32-bit integer cannot be shown and are left out.
    // With a `limit`, only the first that many: a list longer than a learner reads would cost
    // more to fetch than the search itself.
    QVector<SearchHit> find(const QString &words, const QString &categoryCode, int limit = -1);

    // Every question of the category with its stem and topic, in ascending id order: what the
    // study centre's lists and counts are made from, in one query.
    QVector<SearchHit> categoryQuestions(const QString &categoryCode);

private:
    QVector<SearchHit> readHits(SqliteStatement &statement) const;

    SqliteDb m_db;
    bool m_hasTopics = false;
    QString m_indexSchema; // "main" or "side"; empty without an index
};

// The words of a query, split at white space, each once.
QStringList searchWords(const QString &query);
// Whether the trigram index can find this word: it has three or more characters.
bool indexableWord(const QString &word);

} // namespace kemuyi
