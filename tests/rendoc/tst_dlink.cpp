#include "rendoc/dlink.h"
#include "rendoc/dsection.h"
#include "rendoc/dtext.h"

#include <QtTest>

// Splitting link targets into the file, tag and document of a place.
class TestDLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void temporaryLinkFromTag();
    void fourArgumentParent();
};

void TestDLink::split_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("document");

    QTest::newRow("start of a document") << "::X" << "" << "" << "X";
    QTest::newRow("bare tag") << "T12" << "" << "T12" << "";
    QTest::newRow("tag in a document") << "T12:doc" << "" << "T12" << "doc";
    QTest::newRow("file, tag and document") << "a.xrd:T12:doc" << "a.xrd" << "T12" << "doc";
    QTest::newRow("drive letter stays in the file") << "C:/r/a.xrd:T1:d" << "C:/r/a.xrd" << "T1"
                                                   << "d";
    QTest::newRow("file only") << "a.xrd::" << "a.xrd" << "" << "";
    QTest::newRow("tag before empty document") << "T:" << "" << "T" << "";
    QTest::newRow("lone separator") << ":" << "" << "" << "";
    QTest::newRow("three separators") << ":::" << ":" << "" << "";
    QTest::newRow("spaces are kept") << " a : b " << "" << " a " << " b ";
    QTest::newRow("empty") << "" << "" << "" << "";
    QTest::newRow("null") << QString() << "" << "" << "";
    QTest::newRow("non-latin text") << QString::fromUtf8("r\u00e9sum\u00e9::\u00e9t\u00e9")
                                    << QString::fromUtf8("r\u00e9sum\u00e9") << ""
                                    << QString::fromUtf8("\u00e9t\u00e9");
}

void TestDLink::split()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFETCH(QString, tag);
    QFETCH(QString, document);

    // Start from stale values: split must overwrite every part.
    QString gotFile = QStringLiteral("stale"), gotTag = gotFile, gotDocument = gotFile;
    DLink link(target);
    link.split(gotFile, gotTag, gotDocument);
    QCOMPARE(gotFile, file);
    QCOMPARE(gotTag, tag);
    QCOMPARE(gotDocument, document);
    QVERIFY(!gotFile.isNull() && !gotTag.isNull() && !gotDocument.isNull());
    QCOMPARE(link.target(), target);
}

void TestDLink::temporaryLinkFromTag()
{
    DLink link(QStringLiteral("T12"), nullptr, nullptr, nullptr);
    QCOMPARE(link.kind(), DItem::Link);
    QVERIFY(!link.parent());
    QVERIFY(!link.next());
    QVERIFY(!link.child());
    QString file, tag, document;
    link.split(file, tag, document);
    QCOMPARE(tag, QStringLiteral("T12"));
    QVERIFY(file.isEmpty() && document.isEmpty());
}

void TestDLink::fourArgumentParent()
{
    DSection section(QStringLiteral("s"));
    DText leafParent(QStringLiteral("x"));
    DLink inSection(QStringLiteral("a"), static_cast<DItem*>(&section), nullptr, nullptr);
    QCOMPARE(inSection.parent(), &section);
    QVERIFY(!section.child());
    DLink leafOnly(QStringLiteral("a"), static_cast<DItem*>(&leafParent), &section, nullptr);
    QVERIFY(!leafOnly.parent());
    QCOMPARE(leafOnly.next(), &section);
}

QTEST_APPLESS_MAIN(TestDLink)
#include "tst_dlink.moc"
