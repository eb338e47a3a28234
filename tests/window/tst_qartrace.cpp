#include "korvatreporter/window/qareporter.h"
#include "rendoc/model/ditems.h"
#include "rendoc/view/drendocview.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The link targets and the popup links' labels of a document, in order.
QStringList links(const DDocument *document)
{
    QStringList found;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr)) {
        if (item->kind() == DItem::Link)
            found << static_cast<const DLink *>(item)->target();
        else if (item->kind() == DItem::PopupLink)
            found << "popup:" + static_cast<const DText *>(item->toContainer()->child())->text();
    }
    return found;
}

} // namespace

// Failure traces in the report: folded after ten lines behind a "Show all"
// popup link, their frames linked to source files found under the report's
// folder.
class TstQARTrace : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath("src/org/shop");
        QDir(m_dir.path()).mkpath("tests");
        QDir(m_dir.path()).mkpath(".hidden");
        QVERIFY(TestFiles::writeFile(m_dir.filePath("src/org/shop/Cart.java"), "class Cart {}"));
        QVERIFY(TestFiles::writeFile(m_dir.filePath("tests/test_x.py"), "def test(): pass"));
        QVERIFY(TestFiles::writeFile(m_dir.filePath("engine.cpp"), "int main() {}"));
        QVERIFY(TestFiles::writeFile(m_dir.filePath(".hidden/Secret.java"), "class Secret {}"));
    }

    void frames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("Java frame, found by name") << "    at org.shop.Cart.add(Cart.java:74)"
                                                    << QStringList{"src/org/shop/Cart.java line 74"};
        QTest::newRow("pytest short form") << "tests/test_x.py:12: AssertionError"
                                           << QStringList{"tests/test_x.py line 12"};
        QTest::newRow("Python traceback") << "  File \"" + m_dir.filePath("tests/test_x.py") + "\", line 9, in test"
                                          << QStringList{"tests/test_x.py line 9"};
        QTest::newRow("compiler form") << "engine.cpp(33): error: boom" << QStringList{"engine.cpp line 33"};
        QTest::newRow("file not there") << "    at org.shop.Till.pay(Till.java:3)" << QStringList{};
        QTest::newRow("hidden folder passed over") << "at Secret.run(Secret.java:1)" << QStringList{};
        QTest::newRow("outside the folder") << "/usr/include/stdio.h:27" << QStringList{};
    }

    void frames()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, links);
        const QString file = m_dir.filePath("frames.xml");
        QString escaped = line.toHtmlEscaped();
        QVERIFY(TestFiles::writeFile(file, ("<testsuite name=\"s\"><testcase name=\"c\"><failure message=\"m\">"
                                            + escaped + "</failure></testcase></testsuite>").toUtf8()));
        auto w = ReporterHost::open({file}, true);
        QCOMPARE(::links(w->mainView()->getCurrentDoc()), links);
        if (links.isEmpty())
            return;
        // Activating the frame opens its source through the studio.
        for (DItem *item = w->mainView()->getCurrentDoc(); item; item = item->nextInDocument(nullptr)) {
            if (item->kind() == DItem::Link)
                w->resolveLink(item->toLink());
        }
        QVERIFY(m_host.studio.calls.contains(QStringLiteral("openSourceFile(%1,3,true)").arg(links.first())));
    }

    void longTraceFolds()
    {
        QStringList lines;
        for (int i = 1; i <= 14; ++i)
            lines << QStringLiteral("frame line %1").arg(i);
        const QString file = m_dir.filePath("long.xml");
        QVERIFY(TestFiles::writeFile(file, ("<testsuite name=\"s\"><testcase name=\"c\"><failure message=\"m\">"
                                            + lines.join('\n') + "</failure></testcase></testsuite>").toUtf8()));
        auto w = ReporterHost::open({file}, true);
        QCOMPARE(::links(w->mainView()->getCurrentDoc()), QStringList{"popup:Show all (4 more lines)"});
        const QString shown = w->plainText(QAStViewerWindow::DocumentText);
        QVERIFY(shown.contains("frame line 10"));
        QVERIFY(!shown.contains("frame line 11"));
    }
};

QTEST_MAIN(TstQARTrace)
#include "tst_qartrace.moc"
