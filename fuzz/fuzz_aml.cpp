// An AML document read by the guarded AML reader.
#include "fuzz/fuzzsupport.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"

#include <QXmlInputSource>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    DAmlReader reader;
    QXmlInputSource source;
    source.setData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (reader.parse(&source))
        std::unique_ptr<DDocument> document(reader.handler()->takeDocuments());
    return 0;
}
