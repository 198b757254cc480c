// Arbitrary bytes as a TSV question source. Whatever parseSource accepts must survive being
// written back with sourceBytes: the same bytes, and parsed again the same rows.

#include "FuzzSupport.h"

#include "bank/QuestionSource.h"
#include "common/Failure.h"

#include <QVector>

using namespace kemuyi;

namespace {

QVector<Question> questionsOf(const ParsedSource &parsed)
{
    QVector<Question> rows;
    rows.reserve(parsed.rows.size());
    for (const SourceRow &row : parsed.rows)
        rows.append(row.question);
    return rows;
}

// The accepted file with the one trailing newline the parser tolerates being absent.
QByteArray withFinalNewline(const QByteArray &bytes)
{
    return bytes.endsWith('\n') ? bytes : bytes + '\n';
}

void checkRoundTrip(const QByteArray &input, const ParsedSource &parsed)
{
    const QVector<Question> rows = questionsOf(parsed);
    QByteArray written;
    try {
        written = sourceBytes(rows, parsed.lastColumn);
    } catch (const Failure &failure) {
        fuzz::violated("sourceBytes refused rows that parseSource accepted", failure.message());
    }
    const ParsedSource again = parseSource(written);
    if (!again.ok())
        fuzz::violated("parseSource refused what sourceBytes wrote", again.problems.join('\n'));
    if (questionsOf(again) != rows)
        fuzz::violated("the rows changed on a round trip through sourceBytes");
    if (written != withFinalNewline(input))
        fuzz::violated("sourceBytes did not give back the accepted bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::inputBytes(data, size);
    try {
        const ParsedSource parsed = parseSource(input);
        if (parsed.ok())
            checkRoundTrip(input, parsed);
    } catch (const Failure &) {
    }
    return 0;
}
