// Arbitrary bytes as a Jet (.mdb) bank, read the way the bank tool's import reads it in the
// child process the program starts: every input must either give questions or a Failure, and
// every text that comes out must be whole Unicode.

#include "FuzzSupport.h"

#include "common/Failure.h"
#include "jet/JetReader.h"

using namespace kemuyi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        jet::readJetQuestions(fuzz::inputBytes(data, size), {}, [](const jet::JetQuestion &question) {
            for (const auto &text : question.texts) {
                if (text && QString::fromUtf8(text->toUtf8()) != *text)
                    fuzz::violated("a text with a broken surrogate pair", *text);
            }
        });
    } catch (const Failure &failure) {
        if (failure.message().isEmpty())
            fuzz::violated("a failure without a reason");
    }
    return 0;
}
