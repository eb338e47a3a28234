// A Qt Test XML or lightxml file (or anything else) read through the real
// loader: the format is chosen by content, so the choice is fuzzed along with
// the Qt Test reader, its stream wrapping, the document builder and the totals.
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::checkLoaderReadBothWays(data, size, QStringLiteral(".xml"));
    return 0;
}
