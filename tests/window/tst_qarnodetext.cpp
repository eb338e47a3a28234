#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarnodetext.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/reporttrees.h"
#include "tests/support/testfiles.h"

#include <QClipboard>
#include <QtTest>

#include <memory>

// Copying tree rows: the texts of each kind on the campaign example, and
// the context menu and the copy key of a report window.
class TstQARNodeText : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    std::unique_ptr<QAReporter> m_window;

    // The row of the campaign whose name is `name`.
    QModelIndex row(const QString &name) const
    {
        for (const QModelIndex &index : ReportTrees::allRows(*m_window->treeModel())) {
            if (index.data().toString() == name)
                return index;
        }
        return QModelIndex();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        m_window = ReporterHost::open({TestFiles::example("campaign.xrd")});
    }

    void cleanupTestCase() { m_window.reset(); }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        const QString nested = "libtext-2.4-rc1/parser_tests/nested lists";
        QTest::newRow("name") << "nested lists" << int(QARNodeText::Name) << "nested lists";
        QTest::newRow("path") << "nested lists" << int(QARNodeText::Path) << nested;
        QTest::newRow("file row path") << "campaign.xrd" << int(QARNodeText::Path) << "campaign.xrd";
        QTest::newRow("failure message") << "nested lists" << int(QARNodeText::FailureMessage)
                                         << "Expected depth 3, actual depth 2.";
        QTest::newRow("passed: no message") << "empty input" << int(QARNodeText::FailureMessage) << "";
        QTest::newRow("markdown") << "nested lists" << int(QARNodeText::Markdown)
                                  << "**" + nested + "** — ko\n\n> Expected depth 3, actual depth 2.\n\n` "
                                         + TestFiles::example("campaign.xrd") + " `\n";
        QTest::newRow("markdown of a passed row")
            << "empty input" << int(QARNodeText::Markdown)
            << "**libtext-2.4-rc1/parser_tests/empty input** — ok\n\n` "
                   + TestFiles::example("campaign.xrd") + " `\n";
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const QModelIndex index = row(name);
        QVERIFY(index.isValid());
        QCOMPARE(QARNodeText::text(*m_window->treeModel(), index, QARNodeText::Kind(kind)), text);
        // The window puts the same text on the clipboard, nothing for an empty one.
        QGuiApplication::clipboard()->setText("before");
        QCOMPARE(m_window->copyTreeRow(index, kind), !text.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), text.isEmpty() ? QStringLiteral("before") : text);
    }

    void menuAndKey()
    {
        QARPopupMenu *menu = m_window->contextPopup();
        const QModelIndex index = row("layout timing");
        menu->setItem(index);
        // The context menu's Copy Failure Message item.
        QAction *copyMessage = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == QStringLiteral("Copy Failure &Message"))
                copyMessage = action;
        }
        QVERIFY(copyMessage);
        copyMessage->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Expected at most 250 ms, actual 312 ms"));

        // Ctrl+C in the tree copies the current row's path.
        m_window->treeView()->setCurrentRow(index);
        m_window->show();
        m_window->treeView()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window->treeView()));
        m_window->treeView()->setFocus();
        QTest::keySequence(m_window->treeView(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("libtext-2.4-rc1/render_tests/layout timing"));
    }
};

QTEST_MAIN(TstQARNodeText)
#include "tst_qarnodetext.moc"
