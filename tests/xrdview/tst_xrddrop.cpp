#include "xrdview/gui/xrdmainwindow.h"

#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastviewerplugin.h"
#include "xrdview/host/xrdpluginloader.h"
#include "xrdview/host/xrdstudio.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QMimeData>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// Files and folders dropped on the main window with the real plug-in: a file opens, a
// folder opens the reports under it, recognised by content.
class tst_XrdDrop : public QObject
{
    Q_OBJECT

    XrdPluginLoader m_loader;
    std::unique_ptr<XrdStudio> m_studio;
    std::unique_ptr<XrdMainWindow> m_window;
    QTemporaryDir m_dir;

    // Drops `paths` on the window; whether the drag was accepted.
    bool drop(const QStringList &paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &dropped);
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QAModal::setAnswerer([](const QAModalRequest &) { return QVariant(); });
        QVERIFY(m_dir.isValid());
        QVERIFY2(m_loader.loadFrom({QStringLiteral(KORVAT_BIN_DIR)}), qPrintable(m_loader.errorString()));
        m_studio = std::make_unique<XrdStudio>(QDir::cleanPath(QStringLiteral(KORVAT_BIN_DIR "/..")));
        m_window = std::make_unique<XrdMainWindow>(m_loader.plugin(), m_studio.get(),
                                                   m_dir.filePath("resources.xml"));
        m_window->show();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        QAModal::clearAnswerer();
    }

    void droppedFileOpens()
    {
        const int tabs = m_window->tabs()->count();
        QVERIFY(drop({TestFiles::example("smoke.xrd")}));
        QCOMPARE(m_window->tabs()->count(), tabs + 1);
        QCOMPARE(m_loader.plugin()->openedWindow(TestFiles::example("smoke.xrd")), m_window->activeWindow());
    }

    void droppedFolderOpensItsReports()
    {
        QDir(m_dir.path()).mkpath("run/nested");
        QVERIFY(QFile::copy(TestFiles::example("smoke.xrd"), m_dir.filePath("run/smoke.xrd")));
        QVERIFY(QFile::copy(TestFiles::example("junit-surefire.xml"), m_dir.filePath("run/nested/results.xml")));
        QVERIFY(TestFiles::writeFile(m_dir.filePath("run/notes.txt"), "not a report"));
        const int tabs = m_window->tabs()->count();
        QVERIFY(drop({m_dir.filePath("run")}));
        QCOMPARE(m_window->tabs()->count(), tabs + 1);
        QAStViewerPlugin *plugin = m_loader.plugin();
        QVERIFY(m_window->activeWindow());
        QCOMPARE(plugin->openedWindow(QFileInfo(m_dir.filePath("run/smoke.xrd")).absoluteFilePath()),
                 m_window->activeWindow());
        QCOMPARE(plugin->openedWindow(QFileInfo(m_dir.filePath("run/nested/results.xml")).absoluteFilePath()),
                 m_window->activeWindow());
    }

    void folderWithoutReportsSaysSo()
    {
        QDir(m_dir.path()).mkpath("empty");
        const int tabs = m_window->tabs()->count();
        QVERIFY(drop({m_dir.filePath("empty")}));
        QCOMPARE(m_window->tabs()->count(), tabs);
        QVERIFY(m_window->outputPane()->toPlainText().contains("No report file was found in the folder"));
    }
};

QTEST_MAIN(tst_XrdDrop)
#include "tst_xrddrop.moc"
