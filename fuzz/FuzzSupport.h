#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace kemuyi::fuzz {

// A folder private to this process, made on first use and removed at exit.
QString privateDir();

// Writes the input to `path`, replacing what was there; a harness that cannot write its own
// scratch file stops the run, since every later input would test nothing.
void writeInput(const QString &path, const uint8_t *data, size_t size);

// The input as a QByteArray that does not copy it; valid only during the call.
QByteArray inputBytes(const uint8_t *data, size_t size);

// Reports a broken property of the library and aborts, so libFuzzer keeps the input.
[[noreturn]] void violated(const char *what, const QString &detail = QString());

} // namespace kemuyi::fuzz
