#pragma once

#include <QByteArray>

// Puts the C library's heap of the window process in transparent huge pages.
//
// A large report is millions of small strings on malloc's heap, and on a virtual machine each
// 4 KiB page the heap grows by costs a fault that weighs more than filling the page. glibc
// (2.35 and later) advises its heap as huge pages when its `glibc.malloc.hugetlb` tunable is 1,
// and reads tunables only from the environment at start-up: the process starts itself again
// once with the tunable added. A tunable the user set, to any value, is left alone.
class XrdHugePageHeap
{
public:
    // The GLIBC_TUNABLES value to restart with, given the current one; empty when the heap
    // tunable is set already.
    static QByteArray tunablesWith(const QByteArray& current);

    // Restarts the program with the tunable when the C library is glibc and it is not set yet.
    // Returns only when nothing was to be done or the restart failed. Call it first in main(),
    // before any thread exists.
    static void restartIfNeeded(char** argv);
};
