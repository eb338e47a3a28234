#include "korvatreporter/defect/qareporterdefect.h"

#include "korvatreporter/data/qareporternode.h"
#include "rendoc/model/dtext.h"
#include "tests/support/fakedefectclient.h"
#include "tests/support/fakestudio.h"

#include <QtTest>

// Submissions about rows of a small report tree:
//   rep.xrd (file row, /reports/rep.xrd)
//     Suite (SCRIPT, ok)
//       Case é (TESTCASE, ko)
//       Lost (TESTCASE, ko, without anchor)
class TestDefect : public QObject
{
    Q_OBJECT

    QAReporterNode m_suiteNode, m_caseNode, m_lostNode;
    DText m_anchor{ QStringLiteral("text") };

    using Subject = QAReporterDefect::Subject;
    QHash<QString, Subject> m_items; // by the names the rows use

    Subject nodeItem(QAReporterNode& node, const QString& name, const QString& type, const QString& state,
                     bool anchored)
    {
        node.name = name;
        node.type = type;
        node.state = state;
        node.startItem = anchored ? &m_anchor : nullptr;
        return Subject{ QStringLiteral("/reports/rep.xrd"), &node };
    }

    std::optional<Subject> item(const QString& name) const
    {
        return m_items.contains(name) ? std::optional<Subject>(m_items.value(name)) : std::nullopt;
    }

    // Submits about the named item (none: nothing selected) to a studio that
    // offers `client` as "Studio"; checks the studio is asked in a fixed
    // order, the product name only once the form is going to be filled.
    void submit(FakeStudio& studio, FakeDefectClient& client, const nodeData& node, const QString& selected,
                bool pane = true)
    {
        if (pane)
            studio.enableOutputWidget();
        studio.setDefectClient(&client);
        studio.setProductName(QStringLiteral("Studio"));
        QAReporterDefect::submit(&studio, node, item(selected));
        QStringList studioCalls{ "outputWidget()", pane ? "showOutputWidget(output)" : "showOutputWidget(null)",
                                 "defectClient()" };
        if (!client.calls.isEmpty())
            studioCalls << "productName()";
        QCOMPARE(studio.calls, studioCalls);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_items = { { "file", Subject{ QStringLiteral("/reports/rep.xrd"), nullptr } },
                    { "suite", nodeItem(m_suiteNode, "Suite", "SCRIPT", "ok", true) },
                    { "case", nodeItem(m_caseNode, QStringLiteral("Case \u00e9"), "TESTCASE", "ko", true) },
                    { "lost", nodeItem(m_lostNode, "Lost", "TESTCASE", "ko", false) } };
    }

    // The texts the form is filled with.
    void texts_data()
    {
        QTest::addColumn<QString>("test");      // the host node's test text
        QTest::addColumn<QString>("workspace"); // null: no workspace object
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("description");
        const QString item =
            QStringLiteral("Report file:  rep.xrd\r\nItem failed:  Case \u00e9\r\nItem type:   TESTCASE\r\n");
        QTest::newRow("workspace and test") << "a.b.test" << "ws" << "case"
                                            << QStringLiteral("Studio:ws:a.b.test:rep.xrd:Case \u00e9")
                                            << "Workspace:  ws\r\nTest:       a.b.test\r\n" + item;
        QTest::newRow("empty test text ignores the workspace")
            << "" << "ws" << "case" << QStringLiteral("Studio:rep.xrd:Case \u00e9") << item;
        QTest::newRow("test text without workspace") << "a.b.test" << QString() << "case"
                                                     << QStringLiteral("Studio:a.b.test:rep.xrd:Case \u00e9")
                                                     << "Test:       a.b.test\r\n" + item;
        QTest::newRow("item that did not fail")
            << "t" << QString() << "suite" << "Studio:t:rep.xrd:Suite"
            << "Test:       t\r\nReport file:  rep.xrd\r\nItem failed:  Suite\r\nItem type:   SCRIPT\r\n";
    }

    void texts()
    {
        QFETCH(QString, test);
        QFETCH(QString, workspace);
        QFETCH(QString, selected);
        QFETCH(QString, headline);
        QFETCH(QString, description);
        FakeStudio studio;
        FakeDefectClient client;
        QObject workspaceObject;
        workspaceObject.setObjectName(workspace);
        submit(studio, client, nodeData{ test, workspace.isNull() ? nullptr : &workspaceObject }, selected);
        QCOMPARE(studio.outputText(), QStringLiteral("Submit Defect Report ...\n"));
        QCOMPARE(client.calls, (QByteArrayList{ "createForm()", "setHeadLine(" + headline.toLocal8Bit() + ')',
                                                "setDescription(" + description.toLocal8Bit() + ')',
                                                "addFileAttachment(/reports/rep.xrd,Report File)",
                                                "showMerrowDefectWindow(0)" }));
    }

    // Which calls are made and what the output pane says, as calls fail.
    void outcomes_data()
    {
        QTest::addColumn<QString>("selected"); // case, suite, file, lost or none
        QTest::addColumn<bool>("pane");        // the studio has an output pane
        QTest::addColumn<bool>("tracing");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QStringList>("calls"); // client calls, by name
        QTest::addColumn<QString>("output");

        const QStringList all{ "createForm", "setHeadLine", "setDescription", "addFileAttachment",
                               "showMerrowDefectWindow" };
        const QString start = QStringLiteral("Submit Defect Report ...\n");
        const QStringList none;
        QTest::newRow("tracing") << "case" << true << true << none << all
                                 << start + "cmd createForm\ncmd setHeadLine\ncmd setDescription\n"
                                            "cmd addFileAttachment\ncmd showMerrowDefectWindow\n";
        QTest::newRow("tracing before the warning")
            << "case" << true << true << QStringList{ "setHeadLine" } << all
            << start + "cmd createForm\ncmd setHeadLine\nWarning ...\nsetHeadLine failed\n"
                       "cmd setDescription\ncmd addFileAttachment\ncmd showMerrowDefectWindow\n";
        QTest::newRow("description fails, the rest goes on")
            << "case" << true << false << QStringList{ "setDescription" } << all
            << start + "Warning ...\nsetDescription failed\n";
        QTest::newRow("attachment fails") << "case" << true << false << QStringList{ "addFileAttachment" } << all
                                          << start + "Warning ...\naddFileAttachment failed\n";
        QTest::newRow("form fails")
            << "case" << true << true << QStringList{ "createForm" } << QStringList{ "createForm" }
            << start + "cmd createForm\ncreateForm failed\nStopped.\n";
        QTest::newRow("window fails") << "case" << true << false << QStringList{ "showMerrowDefectWindow" } << all
                                      << start + "showMerrowDefectWindow failed\nStopped.\n";
        QTest::newRow("no selection")
            << "none" << true << false << none << none << start + "No nodes selected\nStopped.\n";
        QTest::newRow("no selection, no output pane") << "none" << false << false << none << none << QString();
        QTest::newRow("item without anchor") << "lost" << true << false << none << none
                                             << start + "Can't find data\nStopped.\n";
        QTest::newRow("file item") << "file" << true << false << none << none << start + "Can't find data\nStopped.\n";
        QTest::newRow("no output pane, all calls made")
            << "case" << false << true << QStringList{ "setDescription" } << all << QString();
    }

    void outcomes()
    {
        QFETCH(QString, selected);
        QFETCH(bool, pane);
        QFETCH(bool, tracing);
        QFETCH(QStringList, failing);
        QFETCH(QStringList, calls);
        FakeStudio studio;
        FakeDefectClient client;
        client.setTracing(tracing);
        for (const QString& name : failing)
            client.failing << name.toLatin1();
        submit(studio, client, nodeData{ QStringLiteral("t"), nullptr }, selected, pane);
        QTEST(studio.outputText(), "output");
        QStringList names;
        for (const QByteArray& call : client.calls)
            names << QString::fromLatin1(call.left(call.indexOf('(')));
        QCOMPARE(names, calls);
    }

    void withoutClientOrStudio()
    {
        FakeStudio studio;
        studio.enableOutputWidget();
        QAReporterDefect::submit(&studio, nodeData{}, item("case"));
        QCOMPARE(studio.outputText(), QStringLiteral("Submit Defect Report Failed ...\n"));
        QAReporterDefect::submit(nullptr, nodeData{}, item("case")); // nothing to call, no crash
    }
};

QTEST_MAIN(TestDefect)
#include "tst_qareporterdefect.moc"
