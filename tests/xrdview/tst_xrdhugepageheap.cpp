#include "xrdview/host/xrdhugepageheap.h"

#include <QTest>

// The window's restart adds the heap tunable to whatever tunables are set, once, and never
// overrides the user's own choice.
class TstXrdHugePageHeap : public QObject
{
    Q_OBJECT

private slots:
    void tunablesWith_data();
    void tunablesWith();
};

void TstXrdHugePageHeap::tunablesWith_data()
{
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QByteArray>("restartWith");
    QTest::newRow("none set") << QByteArray() << QByteArray("glibc.malloc.hugetlb=1");
    QTest::newRow("others kept") << QByteArray("glibc.malloc.tcache_count=0")
                                 << QByteArray("glibc.malloc.tcache_count=0:glibc.malloc.hugetlb=1");
    QTest::newRow("set by the restart") << QByteArray("glibc.malloc.hugetlb=1") << QByteArray();
    QTest::newRow("turned off by the user")
        << QByteArray("glibc.malloc.check=0:glibc.malloc.hugetlb=0") << QByteArray();
    QTest::newRow("a longer name is another tunable")
        << QByteArray("glibc.malloc.hugetlbx=0")
        << QByteArray("glibc.malloc.hugetlbx=0:glibc.malloc.hugetlb=1");
}

void TstXrdHugePageHeap::tunablesWith()
{
    QFETCH(QByteArray, current);
    QFETCH(QByteArray, restartWith);
    QCOMPARE(XrdHugePageHeap::tunablesWith(current), restartWith);
}

QTEST_GUILESS_MAIN(TstXrdHugePageHeap)
#include "tst_xrdhugepageheap.moc"
