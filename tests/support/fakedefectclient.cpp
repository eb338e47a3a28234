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
