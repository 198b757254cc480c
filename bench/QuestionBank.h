#pragma once

#include <QString>
#include <QStringList>

namespace kemuyi::bench {

// The licence-type codes a row's TYPE is drawn from, most rows belonging to every licence.
extern const char *const kTypeCodes[5];

// Writes table TK with `questions` generated rows (ids 1…n), half choice and half true/false
// questions, every row illustrated with one of `pics` when any are given.
void writeQuestionBank(const QString &path, int questions, const QStringList &pics);

// Keeps adding rows until the file reaches `bytes`; returns the number of rows written.
int writeQuestionBankOfSize(const QString &path, qint64 bytes, const QStringList &pics);

} // namespace kemuyi::bench
