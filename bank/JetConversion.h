#pragma once

#include <QString>

namespace kemuyi {

// A bank in the Jet (Access .mdb) format is converted rather than copied: the bank tool beside
// the program runs its import in a child process with a time limit, so a damaged or hostile
// file can neither crash nor hang the program. The result replaces `destination` in one step;
// on any failure ("题库文件已损坏" with the reason) `destination` stays as it was.
void convertJetBank(const QString &source, const QString &destination);

// The bank tool the conversion runs, beside the program.
QString bankToolPath();

// How long the conversion may take, before two more seconds per megabyte of the file; tests
// shorten it.
int jetConversionTimeLimitMs();
void setJetConversionTimeLimitMs(int milliseconds);

} // namespace kemuyi
