#include "korvatreporter/defect/qareporterdefect.h"

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qarlistviewitem.h"
#include "rendoc/dtext.h"
#include "tests/support/fakedefectclient.h"
#include "tests/support/fakestudio.h"

#include <QTreeWidget>
#include <QtTest>

// Submissions about items of a small report tree:
//   rep.xrd (file item, /reports/rep.xrd)
//     Suite (SCRIPT, ok)
//       Case é (TESTCASE, ko)
//       Lost (TESTCASE, ko, without anchor)
class TestDefect : public QObject
{
    Q_OBJECT

    QTreeWidget m_view;
    QARListViewItem* m_file = nullptr;
    QARListViewItem* m_suite = nullptr;
    QARListViewItem* m_case = nullptr;
    QARListViewItem* m_lost = nullptr;
    QAReporterNode m_suiteNode, m_caseNode, m_lostNode;
    DText m_anchor{ QStringLiteral("text") };

    QARListViewItem* nodeItem(QTreeWidgetItem* parent, QAReporterNode& node, const QString& name,
                              const QString& type, const QString& state, bool anchored)
    {
        node.name = name;
        node.type = type;
        node.state = state;
        node.startItem = anchored ? &m_anchor : nullptr;
        auto* item = new QARListViewItem(parent);
        item->failedFlag = state == QLatin1String("ko");
        item->anchor = node.startItem;
        item->node = &node;
        return item;
    }

    QTreeWidgetItem* item(const QString& name) const
    {
        if (name == QLatin1String("case"))
            return m_case;
        if (name == QLatin1String("suite"))
            return m_suite;
        if (name == QLatin1String("file"))
            return m_file;
        if (name == QLatin1String("lost"))
            return m_lost;
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_file = new QARListViewItem(&m_view);
        m_file->filePath = QStringLiteral("/reports/rep.xrd");
        m_file->setText(0, QStringLiteral("rep.xrd"));
        m_file->anchor = &m_anchor;
        m_suite = nodeItem(m_file, m_suiteNode, "Suite", "SCRIPT", "ok", true);
        m_case = nodeItem(m_suite, m_caseNode, QStringLiteral("Case \u00e9"), "TESTCASE", "ko", true);
        m_lost = nodeItem(m_suite, m_lostNode, "Lost", "TESTCASE", "ko", false);
    }

    void submit_data()
    {
        QTest::addColumn<QString>("test");      // the host node's test text
        QTest::addColumn<QString>("workspace"); // null: no workspace object
        QTest::addColumn<QString>("selected");  // case, suite, file, lost or none
        QTest::addColumn<bool>("pane");         // the studio has an output pane
        QTest::addColumn<bool>("tracing");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QString>("headline");    // null: not checked
        QTest::addColumn<QString>("description"); // null: not checked
        QTest::addColumn<QStringList>("calls");   // client calls, by name
        QTest::addColumn<QString>("output");

        const QStringList all{ "createForm", "setHeadLine", "setDescription", "addFileAttachment",
                               "showMerrowDefectWindow" };
        const QString start = QStringLiteral("Submit Defect Report ...\n");
        const QString null;
        QTest::newRow("workspace and test")
            << "a.b.test" << "ws" << "case" << true << false << QStringList()
            << QStringLiteral("Studiows:a.b.test:rep.xrd:Case \u00e9")
            << QStringLiteral("Workspace:  ws\r\nTest:       a.b.test\r\nReport file:  rep.xrd\r\n"
                              "Item failed:  Case \u00e9\r\nItem type:   TESTCASE\r\n")
            << all << start;
        QTest::newRow("empty test text ignores the workspace")
            << "" << "ws" << "case" << true << false << QStringList()
            << QStringLiteral("Studiorep.xrd:Case \u00e9")
            << QStringLiteral("Report file:  rep.xrd\r\nItem failed:  Case \u00e9\r\n"
                              "Item type:   TESTCASE\r\n")
            << all << start;
        QTest::newRow("test text without workspace")
            << "a.b.test" << null << "case" << true << false << QStringList()
            << QStringLiteral("Studioa.b.test:rep.xrd:Case \u00e9")
            << QStringLiteral("Test:       a.b.test\r\nReport file:  rep.xrd\r\n"
                              "Item failed:  Case \u00e9\r\nItem type:   TESTCASE\r\n")
            << all << start;
        QTest::newRow("item that did not fail")
            << "t" << null << "suite" << true << false << QStringList()
            << QStringLiteral("Studiot:rep.xrd:Suite")
            << QStringLiteral("Test:       t\r\nReport file:  rep.xrd\r\nItem failed:  Suite\r\n"
                              "Item type:   SCRIPT\r\n")
            << all << start;
        QTest::newRow("tracing")
            << "t" << null << "case" << true << true << QStringList() << null << null << all
            << start + "cmd createForm\ncmd setHeadLine\ncmd setDescription\n"
                       "cmd addFileAttachment\ncmd showMerrowDefectWindow\n";
        QTest::newRow("tracing before the warning")
            << "t" << null << "case" << true << true << QStringList{ "setHeadLine" } << null << null
            << all
            << start + "cmd createForm\ncmd setHeadLine\nWarning ...\nsetHeadLine failed\n"
                       "cmd setDescription\ncmd addFileAttachment\ncmd showMerrowDefectWindow\n";
        QTest::newRow("description fails, the rest goes on")
            << "t" << null << "case" << true << false << QStringList{ "setDescription" } << null
            << null << all << start + "Warning ...\nsetDescription failed\n";
        QTest::newRow("attachment fails")
            << "t" << null << "case" << true << false << QStringList{ "addFileAttachment" } << null
            << null << all << start + "Warning ...\naddFileAttachment failed\n";
        QTest::newRow("form fails")
            << "t" << null << "case" << true << true << QStringList{ "createForm" } << null << null
            << QStringList{ "createForm" } << start + "cmd createForm\ncreateForm failed\nStopped.\n";
        QTest::newRow("window fails")
            << "t" << null << "case" << true << false << QStringList{ "showMerrowDefectWindow" }
            << null << null << all << start + "showMerrowDefectWindow failed\nStopped.\n";
        QTest::newRow("no selection")
            << "t" << null << "none" << true << false << QStringList() << null << null
            << QStringList() << start + "No nodes selected\nStopped.\n";
        QTest::newRow("no selection, no output pane")
            << "t" << null << "none" << false << false << QStringList() << null << null
            << QStringList() << QString();
        QTest::newRow("item without anchor")
            << "t" << null << "lost" << true << false << QStringList() << null << null
            << QStringList() << start + "Can't find data\nStopped.\n";
        QTest::newRow("file item")
            << "t" << null << "file" << true << false << QStringList() << null << null
            << QStringList() << start + "Can't find data\nStopped.\n";
        QTest::newRow("no output pane, all calls made")
            << "t" << null << "case" << false << true << QStringList{ "setDescription" } << null
            << null << all << QString();
    }

    void submit()
    {
        QFETCH(QString, test);
        QFETCH(QString, workspace);
        QFETCH(QString, selected);
        QFETCH(bool, pane);
        QFETCH(bool, tracing);
        QFETCH(QStringList, failing);
        QFETCH(QString, headline);
        QFETCH(QString, description);
        QFETCH(QStringList, calls);
        QFETCH(QString, output);

        FakeStudio studio;
        FakeDefectClient client;
        studio.setDefectClient(&client);
        studio.setProductName(QStringLiteral("Studio"));
        if (pane)
            studio.enableOutputWidget();
        client.setTracing(tracing);
        for (const QString& name : failing)
            client.failing << name.toLatin1();
        QObject workspaceObject;
        workspaceObject.setObjectName(workspace);
        const nodeData node{ test, workspace.isNull() ? nullptr : &workspaceObject };

        QAReporterDefect::submit(&studio, node, item(selected));

        QCOMPARE(studio.outputText(), output);
        QStringList names;
        for (const QByteArray& call : client.calls)
            names << QString::fromLatin1(call.left(call.indexOf('(')));
        QCOMPARE(names, calls);
        // The studio is asked in a fixed order; the product name only once
        // the form is going to be filled.
        QStringList studioCalls{ "outputWidget()",
                                 pane ? "showOutputWidget(output)" : "showOutputWidget(null)",
                                 "defectClient()" };
        if (!calls.isEmpty())
            studioCalls << "productName()";
        QCOMPARE(studio.calls, studioCalls);
        if (!headline.isNull()) {
            QCOMPARE(client.calls.at(1), "setHeadLine(" + headline.toLocal8Bit() + ')');
            QCOMPARE(client.calls.at(2), "setDescription(" + description.toLocal8Bit() + ')');
            QCOMPARE(client.calls.at(3), QByteArray("addFileAttachment(/reports/rep.xrd,Report File)"));
            QCOMPARE(client.calls.at(4), QByteArray("showMerrowDefectWindow(0)"));
        }
    }

    void withoutClientOrStudio()
    {
        FakeStudio studio;
        studio.enableOutputWidget();
        QAReporterDefect::submit(&studio, nodeData{}, m_case);
        QCOMPARE(studio.outputText(), QStringLiteral("Submit Defect Report Failed ...\n"));
        QAReporterDefect::submit(nullptr, nodeData{}, m_case); // nothing to call, no crash
    }
};

QTEST_MAIN(TestDefect)
#include "tst_qareporterdefect.moc"
