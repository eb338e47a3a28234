#include "tests/support/fakedefectclient.h"

short FakeDefectClient::record(const QByteArray& name, const QByteArray& arguments)
{
    calls << name + '(' + arguments + ')';
    setCmdLine("cmd " + name);
    if (!failing.contains(name))
        return 1;
    setErrorMessage(name + " failed");
    return 0;
}

short FakeDefectClient::establishConnection()
{
    return record("establishConnection", QByteArray());
}

short FakeDefectClient::createForm()
{
    return record("createForm", QByteArray());
}

short FakeDefectClient::setHeadLine(const char* headline)
{
    return record("setHeadLine", headline);
}

short FakeDefectClient::setDescription(const char* description)
{
    return record("setDescription", description);
}

short FakeDefectClient::addFileAttachment(const char* path, const char* description)
{
    return record("addFileAttachment", QByteArray(path) + ',' + description);
}

short FakeDefectClient::showMerrowDefectWindow(short mode)
{
    return record("showMerrowDefectWindow", QByteArray::number(mode));
}
