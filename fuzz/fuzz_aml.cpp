// An AML document read by the guarded AML reader with the parser on a thread
// of its own, then checked only with the parser handled event by event, which
// must refuse or accept it alike, with the same message and place.
#include "fuzz/fuzzsupport.h"
#include "rendoc/aml/damlexpatsource.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    DAmlExpatSource::setThreadThreshold(0);
    DAmlReader reader;
    const bool read = reader.parseData(bytes);
    if (read)
        std::unique_ptr<DDocument> document(reader.handler()->takeDocuments());
    DAmlExpatSource::setThreadThreshold(-1);
    DAmlReader checker;
    checker.handler()->setCheckOnly(true);
    if (checker.parseData(bytes) != read || checker.errorDescription() != reader.errorDescription())
        FuzzSupport::fail("checking only judged the document differently");
    if (checker.documents())
        FuzzSupport::fail("checking only kept a document");
    return 0;
}
