// Both export commands of the main window (real plug-in) share one dialog: it says what each
// exports, starts in the last used folder (else the documents folder), makes a typed new
// folder, opens the written page through the opener seam, and after a failure says why
// without a full progress bar.

#include "xrdview/gui/xrdmainwindow.h"

#include "sdk/qaexporthtmldialog.h"
#include "sdk/qamodal.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/host/xrdpluginloader.h"
#include "xrdview/host/xrdstudio.h"
#include "tests/support/testfiles.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

class tst_XrdExportDialog : public QObject
{
    Q_OBJECT

    XrdPluginLoader m_loader;
    std::unique_ptr<XrdStudio> m_studio;
    std::unique_ptr<XrdMainWindow> m_window;
    QTemporaryDir m_work;
    QList<QUrl> m_opened;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(QAExportHtmlDialog::settingsFile());
        QAExportHtmlDialog::setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
        QVERIFY2(m_loader.loadFrom({QStringLiteral(KORVAT_BIN_DIR)}),
                 qPrintable(m_loader.errorString()));
        m_studio =
            std::make_unique<XrdStudio>(QDir::cleanPath(QStringLiteral(KORVAT_BIN_DIR "/..")));
        m_window = std::make_unique<XrdMainWindow>(m_loader.plugin(), m_studio.get(),
                                                   m_work.filePath("res.xml"));
        QVERIFY(m_window->openFiles(
            {TestFiles::example("campaign.xrd"), TestFiles::example("smoke.xrd")}));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        QAExportHtmlDialog::setUrlOpener(nullptr);
        QAModal::clearAnswerer();
    }

    // Rows run in order, each starting where the last complete export went. Folder: typed
    // ("" keeps the start folder), or "choose:" picked in the folder dialog.
    void commands_data()
    {
        QTest::addColumn<bool>("all"); // File > Export All Reports, else the current document
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("seen"); // what it says, its status and its progress bar
        QTest::addColumn<QString>("page"); // opened in the browser; "" for none
        QTest::newRow("all, new folder") << true << "new/site"
                                         << "all loaded|Exported 4|1"
                                         << "index.html";
        QTest::newRow("document") << false << ""
                                  << "current document|Exported 1|1"
                                  << "campaign.html";
        QTest::newRow("document, chosen") << false << "choose:pick"
                                          << "current|Exported|1"
                                          << "campaign.html";
        QTest::newRow("folder blocked") << true << "file/out"
                                        << "all|Cannot create the folder|0"
                                        << "";
        QTest::newRow("page blocked") << true << "blocked"
                                      << "all|could not be written|0"
                                      << "";
    }

    void commands()
    {
        QFETCH(QString, folder);
        QFETCH(QString, page);
        const QString start = QAExportHtmlDialog::startFolder();
        const QString target =
            folder.isEmpty() ? start : m_work.filePath(folder.mid(folder.indexOf(':') + 1));
        QVERIFY(TestFiles::writeFile(m_work.filePath("file"), "")
                && QDir().mkpath(m_work.filePath("pick"))
                && QDir().mkpath(m_work.filePath("blocked/campaign.html")));
        QStringList shown;
        bool started = false;
        QAModal::setAnswerer([&](const QAModalRequest& request) -> QVariant {
            if (auto* folders = qobject_cast<QFileDialog*>(request.dialog)) {
                folders->selectFile(target);
                return int(QDialog::Accepted);
            }
            auto* dialog = qobject_cast<QAExportHtmlDialog*>(request.dialog);
            started = dialog->folder() == QDir::toNativeSeparators(start);
            folder.startsWith("choose:") ? dialog->choose() : dialog->setFolder(target);
            dialog->exportNow();
            shown << dialog->findChild<QLabel*>("what")->text() << dialog->statusText()
                  << QString::number(dialog->progressFull());
            return dialog->result();
        });
        QFETCH(bool, all);
        all ? m_window->action("exportHtml")->trigger() : m_window->activeWindow()->exportDoc();

        QFETCH(QString, seen);
        QVERIFY(started);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(shown.value(i).contains(seen.split('|').value(i)),
                     qPrintable(shown.join('|')));
        const QList<QUrl> opened{QUrl::fromLocalFile(QDir(target).filePath(page))};
        QCOMPARE(std::exchange(m_opened, {}), page.isEmpty() ? QList<QUrl>() : opened);
        QCOMPARE(QAExportHtmlDialog::startFolder(), page.isEmpty() ? start : target);
    }
};

QTEST_MAIN(tst_XrdExportDialog)
#include "tst_xrdexportdialog.moc"
