// Links inside an HTML page lead somewhere: a link or tag pointer to a tag the page lacks is
// written as text, and summary entries reach unnumbered titles too.

#include "rendoc/aml/damlreader.h"
#include "rendoc/html/dhtmlwriter.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "rendoc/model/dupdater.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextStream>

namespace {

QString pageOf(DDocument* document)
{
    QString page;
    QTextStream stream(&page);
    DHTMLWriter writer;
    writer.setStream(&stream);
    writer.doAll(document);
    stream.flush();
    return page;
}

// Every in-page href ("#id") of page whose id the page does not hold.
QStringList deadFragments(const QString& page)
{
    QSet<QString> ids;
    static const QRegularExpression id("id=\"([^\"]*)\"");
    for (auto it = id.globalMatch(page); it.hasNext();)
        ids.insert(it.next().captured(1).replace("&quot;", "\"").replace("&amp;", "&"));
    QStringList dead;
    static const QRegularExpression href("href=\"#([^\"]*)\"");
    for (auto it = href.globalMatch(page); it.hasNext();) {
        const QByteArray encoded = it.next().captured(1).toUtf8();
        const QString target = QString::fromUtf8(QByteArray::fromPercentEncoding(encoded));
        if (!ids.contains(target))
            dead << target;
    }
    return dead;
}

} // namespace

class TestDHTMLLinks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tagLinks_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("links"); // in-page links written
        QTest::newRow("link and pointer to a tag")
            << "<TAG name=\"t\"/><LINK target=\"t\">x</LINK><TAGPOINTER name=\"t\"/>" << 2;
        QTest::newRow("link to a missing tag") << "<LINK target=\"nope\">x</LINK>" << 0;
        QTest::newRow("pointer to a missing tag") << "<TAGPOINTER name=\"nope\"/>" << 0;
        QTest::newRow("tag with blanks and quotes")
            << "<TAG name=\"a b&quot;c\"/><LINK target=\"a b&quot;c\">x</LINK>" << 1;
        QTest::newRow("tag in a popup")
            << "<POPUPLINK target=\"p\">p</POPUPLINK></P><POPUP name=\"p\"><P><TAG name=\"t\"/></P></POPUP>"
               "<P><LINK target=\"t\">x</LINK>" << 1;
    }

    // Every in-page link the writer makes has its target in the page.
    void tagLinks()
    {
        QFETCH(QString, body);
        DAmlReader reader;
        QVERIFY2(reader.parseText("<DOCUMENT name=\"d\"><P>" + body + "</P></DOCUMENT>"), qPrintable(reader.errorString()));
        DUpdater().doAll(reader.documents());
        const QString page = pageOf(reader.documents());
        QCOMPARE(deadFragments(page), QStringList());
        QTEST(int(page.count("href=\"#tag-")), "links");
    }

    // A summary entry that targets an unnumbered title links to it.
    void summaryOfUnnumberedTitles()
    {
        DDocument document("Doc", "d");
        auto* summary = new DSummary(&document);
        document.appendChild(summary);
        for (int i = 0; i < 2; ++i) {
            auto* title = new DTitle(0, &document);
            title->setChild(new DText(QString("Plain %1").arg(i), title));
            document.appendChild(title);
            summary->appendChild(new DSEntry(QString("Plain %1").arg(i), 1, title, summary));
        }
        const QString page = pageOf(&document);
        QCOMPARE(deadFragments(page), QStringList());
        QCOMPARE(page.count("<a href=\"#x-u"), 2);
        QVERIFY(!page.contains("<li class=\"l0\">")); // the outline lists numbered titles only
    }
};

QTEST_MAIN(TestDHTMLLinks)
#include "tst_dhtmllinks.moc"
