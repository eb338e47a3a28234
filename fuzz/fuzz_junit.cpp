// A JUnit results file (or anything else) read through the real loader: the
// format is chosen by the root element, so the choice is fuzzed along with
// the JUnit reader, its document builder and the totals.
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::checkLoaderReadBothWays(data, size, QStringLiteral(".xml"));
    return 0;
}
