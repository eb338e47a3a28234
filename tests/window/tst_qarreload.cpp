#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qarfilewatch.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A suite of cases named `names`; names starting with "x" fail.
QByteArray suite(const QStringList &names)
{
    QByteArray xml = "<testsuite name=\"s\">";
    for (const QString &name : names) {
        xml += "<testcase name=\"" + name.toUtf8() + "\">";
        if (name.startsWith('x'))
            xml += "<failure message=\"no\"/>";
        xml += "</testcase>";
    }
    return xml + "</testsuite>";
}

// The current row's names from the top, joined by "/".
QString currentPath(QAReporter &w)
{
    QStringList names;
    for (QModelIndex at = w.treeView()->currentRow(); at.parent().isValid(); at = at.parent())
        names.prepend(at.siblingAtColumn(0).data().toString());
    return names.join('/');
}

} // namespace

// Reading reports again: when their files are rewritten (debounced), by F5,
// the selection and the filters kept; a removed file keeps its content.
class TstQARReload : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;

    void select(QAReporter &w, const QString &file, const QString &path)
    {
        const QModelIndex row = w.treeModel()->findNode(file, QString(), path);
        QVERIFY(row.isValid());
        w.treeView()->setCurrentRow(row);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        m_host.studio.enableOutputWidget();
        QVERIFY(m_dir.isValid());
    }

    void rewrittenFileKeepsSelectionAndFilters_data()
    {
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<bool>("byWatch");
        QTest::newRow("rewritten, all tests") << false << true;
        QTest::newRow("rewritten, failed only") << true << true;
        QTest::newRow("F5, failed only") << true << false;
    }

    void rewrittenFileKeepsSelectionAndFilters()
    {
        QFETCH(bool, failedOnly);
        QFETCH(bool, byWatch);
        const QString file = m_dir.filePath(QStringLiteral("run%1%2.xml").arg(failedOnly).arg(byWatch));
        QVERIFY(TestFiles::writeFile(file, suite({"a", "xb", "xc"})));
        auto w = ReporterHost::open({file}, true);
        QCOMPARE(w->fileWatch()->files(), QStringList{file});
        if (failedOnly)
            w->failedtests();
        w->treeFilter()->setText("x");
        select(*w, file, "s › xc");

        // The campaign writes more cases in front: ids move, the path stays.
        QVERIFY(TestFiles::writeFile(file, suite({"a0", "xa1", "a", "xb", "xc", "xd"})));
        if (byWatch) {
            QSignalSpy reloaded(w->fileWatch(), &QARFileWatch::changed);
            QVERIFY(reloaded.wait(10000));
        } else {
            w->reload();
        }
        QCOMPARE(currentPath(*w), QString("s/xc"));
        QCOMPARE(w->treeFilter()->text(), QString("x"));
        const QModelIndex top = w->treeModel()->index(0, 0, w->treeModel()->index(0, 0));
        QCOMPARE(w->treeModel()->rowCount(top), 4); // xa1, xb, xc, xd
        if (failedOnly)
            w->alltests();
    }

    void removedFileKeepsContent()
    {
        const QString file = m_dir.filePath("gone.xml");
        QVERIFY(TestFiles::writeFile(file, suite({"a", "xb"})));
        auto w = ReporterHost::open({file}, true);
        select(*w, file, "s › xb");
        QSignalSpy vanished(w->fileWatch(), &QARFileWatch::vanished);
        QVERIFY(QFile::remove(file));
        QVERIFY(vanished.wait(10000));
        QVERIFY(m_host.studio.outputText().contains("gone.xml was removed or renamed"));
        QCOMPARE(currentPath(*w), QString("s/xb"));

        // Back again: read again.
        QSignalSpy changed(w->fileWatch(), &QARFileWatch::changed);
        QVERIFY(TestFiles::writeFile(file, suite({"a", "xb", "c"})));
        QVERIFY(changed.wait(10000));
        QCOMPARE(w->treeModel()->rowCount(w->treeModel()->index(0, 0, w->treeModel()->index(0, 0))), 3);
        QCOMPARE(currentPath(*w), QString("s/xb"));
    }

    void preferenceTurnsWatchingOff()
    {
        const QString file = m_dir.filePath("quiet.xml");
        QVERIFY(TestFiles::writeFile(file, suite({"a"})));
        auto w = ReporterHost::open({file}, true);
        m_host.pref->general()->setLiveReload(false);
        Q_EMIT m_host.pref->preferencesChanged();
        QVERIFY(w->fileWatch()->files().isEmpty());
        m_host.pref->general()->setLiveReload(true);
        Q_EMIT m_host.pref->preferencesChanged();
        QCOMPARE(w->fileWatch()->files(), QStringList{file});
    }
};

QTEST_MAIN(TstQARReload)
#include "tst_qarreload.moc"
