#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodhandler.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/model/ddocument.h"

#include <QtTest>

#include <memory>

namespace {

enum class Read { Full, TotalsOnly, TreeOnly };

// The node tree, one line per node in document order: depth, name, type, state and count.
QString treeText(const QAReporterDataTree *tree)
{
    QString text;
    using Node = QTree<QAReporterNode>::QTreeNode;
    std::vector<std::pair<const Node *, int>> pending{{tree->rootNode(), 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (const QAReporterNode *data = node->data())
            text += QStringLiteral("%1 %2 %3 %4 %5\n").arg(depth).arg(data->name, data->type, data->state).arg(data->count);
        const auto &children = node->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return text;
}

// What a read tells: "passed failed inconclusive types", or the error; a read that keeps the
// tree adds the tree and the first document's name.
QString outcome(const QString &xml, Read read)
{
    QAstXmlRodReader reader;
    reader.rodHandler()->setTotalsOnly(read == Read::TotalsOnly);
    reader.rodHandler()->setTreeOnly(read == Read::TreeOnly);
    const bool ok = reader.parseText(xml);
    const std::unique_ptr<DDocument> document(reader.takeDocument());
    if (read == Read::TotalsOnly && (document || reader.dataTree()))
        return QStringLiteral("kept the report");
    if (read == Read::TreeOnly && document)
        return QStringLiteral("kept the document");
    if (!ok)
        return reader.errorString();
    QString text = QStringLiteral("%1 %2 %3 %4").arg(reader.passed()).arg(reader.failed()).arg(reader.inconclusive())
                       .arg(reader.types().join(QLatin1Char(',')));
    if (read == Read::Full)
        text += QLatin1Char('\n') + (document ? document->name() : QString());
    else if (read == Read::TreeOnly)
        text += QLatin1Char('\n') + reader.rodHandler()->documentName();
    if (read != Read::TotalsOnly && reader.dataTree())
        text += QLatin1Char('\n') + treeText(reader.dataTree());
    return text;
}

QString node(const QString &type, const char *state = "ok", const QString &body = QStringLiteral("<P/>"))
{
    return QStringLiteral("<XROD:NODE name=\"n\" type=\"%1\" state=\"%2\" sum=\"1\">%3</XROD:NODE>").arg(type, QLatin1String(state), body);
}

QString wrap(const QString &body) { return "<XROD><DOCUMENT name=\"d\">" + body + "</DOCUMENT></XROD>"; }

} // namespace

// A totals-only read (what the summary needs) keeps neither tree nor
// document, yet refuses exactly the files a full read refuses, with the same
// reason, and counts the same totals and types. The xrd fuzz target compares
// both reads through the loader on every seed, example and fuzzed input.
class TestXrdTotalsOnly : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithFullRead_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("expected"); // totals and types, or the start of the error
        QTest::newRow("nested, anchored late") << wrap(node("A", "ok", node("B", "ko", node("A", "NE")) + "<P>t</P>")) << "1 1 1 A,B";
        QTest::newRow("repeated texts") << wrap(node("Étape") + node("Etape") + node("Étape") + node("Ét") + node("") + node("Ét"))
                                        << "6 0 -1 Étape,Etape,Ét,";
        QTest::newRow("styles first") << "<XROD><DOCUMENT><STYLES><COLOR name=\"c\" value=\"#ff0000\"/></STYLES>" + node("T")
                                             + "</DOCUMENT></XROD>" << "1 0 -1 T";
        QTest::newRow("node on no item") << "<XROD><XROD:NODE name=\"a\" type=\"t\"></XROD:NODE></XROD>" << "nested";
        QTest::newRow("no name") << wrap("<XROD:NODE type=\"t\"><P/></XROD:NODE>") << "Xml/ROD, unvalable name";
        QTest::newRow("node before XROD") << "<DOCUMENT><XROD:NODE name=\"a\" type=\"t\"/></DOCUMENT>" << "Xml/ROD, XROD:NODE";
        QTest::newRow("second XROD") << wrap("<P/><XROD><P/></XROD>") << "Xml/ROD, more than one";
        QTest::newRow("unknown element") << wrap(node("T", "ok", "<NODE/>")) << "AML, unknown";
        QTest::newRow("required attribute") << wrap(node("T", "ko", "<P>x<IMAGE width=\"2\"/></P>")) << "AML, element";
        QTest::newRow("bad value") << wrap(node("T", "ok", "<LIST ordered=\"maybe\"/>")) << "AML, bad value";
        QTest::newRow("text in a table") << wrap("<TABLE>words</TABLE>") << "AML, text not allowed";
        QTest::newRow("malformed XML") << "<XROD><DOCUMENT></XROD>" << "XML,";
    }

    void agreesWithFullRead()
    {
        QFETCH(QString, xml);
        QFETCH(QString, expected);
        const QString full = outcome(xml, Read::Full);
        QVERIFY2(full.startsWith(expected), qPrintable(full));
        // A read that succeeds starts with its totals; the totals-only read tells nothing more.
        const bool read = full.at(0).isDigit();
        QCOMPARE(outcome(xml, Read::TotalsOnly), read ? full.section(QLatin1Char('\n'), 0, 0) : full);
    }

    // A tree-only read (what comparing two reports needs) keeps the tree and the first document's
    // name but no document, and refuses the same files with the same reason.
    void treeOnlyAgreesWithFullRead_data() { agreesWithFullRead_data(); }
    void treeOnlyAgreesWithFullRead()
    {
        QFETCH(QString, xml);
        QCOMPARE(outcome(xml, Read::TreeOnly), outcome(xml, Read::Full));
    }
};

QTEST_GUILESS_MAIN(TestXrdTotalsOnly)
#include "tst_xrdtotalsonly.moc"
