// An AML document read by the guarded AML reader.
#include "fuzz/fuzzsupport.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    DAmlReader reader;
    if (reader.parseData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::unique_ptr<DDocument> document(reader.handler()->takeDocuments());
    return 0;
}
