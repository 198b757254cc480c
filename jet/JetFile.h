#pragma once

#include "JetReader.h"
#include "JetText.h"

#include <QByteArray>

#include <mdbtools.h>

#include <memory>

namespace kemuyi::jet {

struct MdbHandleCloser
{
    void operator()(MdbHandle *handle) const { mdb_close(handle); }
};

// A Jet 3 or Jet 4 file opened for reading, after the checks that need only its header: the
// format, the text encoding and whether Access scrambled it. Anything else is a Failure with
// the reason in Chinese. It is neither copied nor moved, as libmdb reads `bytes` in place.
struct JetFile
{
    JetFile(const QByteArray &file, const JetReadOptions &options);
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    QByteArray bytes;
    bool jet4 = false;
    // Jet 3 only: the file's text encoding, one converter for all of its fields.
    std::unique_ptr<CharsetDecoder> text;
    int pageSize = 0;
    qint64 pageCount = 0;
    std::unique_ptr<MdbHandle, MdbHandleCloser> mdb;
};

} // namespace kemuyi::jet
