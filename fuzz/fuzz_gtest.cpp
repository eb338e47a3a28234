// A GoogleTest JSON results file (or anything else) read through the real loader: the format is
// chosen by content, so the choice is fuzzed along with the reader, the
// shared results builder and the totals.
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::checkLoaderRead(data, size, QStringLiteral(".json"));
    return 0;
}
