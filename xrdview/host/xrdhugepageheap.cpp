#include "xrdview/host/xrdhugepageheap.h"

#include <cstdlib>

#include <unistd.h>

QByteArray XrdHugePageHeap::tunablesWith(const QByteArray& current)
{
    static const QByteArray name("glibc.malloc.hugetlb");
    for (const QByteArray& entry : current.split(':')) {
        if (entry == name || entry.startsWith(name + '='))
            return QByteArray();
    }
    const QByteArray setting = name + "=1";
    return current.isEmpty() ? setting : current + ':' + setting;
}

void XrdHugePageHeap::restartIfNeeded(char** argv)
{
#ifdef __GLIBC__
    const QByteArray tunables = tunablesWith(QByteArray(std::getenv("GLIBC_TUNABLES")));
    if (tunables.isEmpty())
        return;
    if (setenv("GLIBC_TUNABLES", tunables.constData(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // The restart failed: the run goes on with the heap as it is, and the tunable, set now,
    // keeps any later restart from trying again.
#else
    Q_UNUSED(argv);
#endif
}
