#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "xrdview/tracker/xrdcommandtracker.h"
#include "xrdview/tracker/xrddefectclient.h"
#include "xrdview/gui/xrddefectdialog.h"
#include "xrdview/gui/xrddefectpage.h"
#include "xrdview/tracker/xrddefectsettings.h"
#include "xrdview/tracker/xrdfoldertracker.h"
#include "xrdview/host/xrdstudio.h"

#include "tests/support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestFiles::readBytes;
using TestFiles::writeFile;

// Writes each argument as "[arg]" on a line of $XRD_OUT, copies the file
// after --body-file to $XRD_OUT.body, prints "https://tracker/1" and exits
// with $XRD_EXIT after saying "denied" on standard error when non-zero.
const char* const Script = R"(#!/bin/sh
: > "$XRD_OUT"
while [ $# -gt 0 ]; do
  printf '[%s]\n' "$1" >> "$XRD_OUT"
  if [ "$1" = --body-file ]; then cp "$2" "$XRD_OUT.body"; fi
  shift
done
if [ "${XRD_EXIT:-0}" != 0 ]; then echo denied >&2; exit "$XRD_EXIT"; fi
echo https://tracker/1
)";

} // namespace

// The host's defect-tracker client: the command and folder trackers, the
// "New defect" dialog answered through the modal seam, the studio's
// defect-client operation and the preference page.
class TestXrdDefect : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_script;
    QString m_out;
    QStringList m_reports;
    std::function<QVariant(XrdDefectDialog*)> m_onDialog;
    QString m_chosenFolder; // what the folder dialog answers; empty: cancelled

    XrdDefect sampleDefect() const
    {
        XrdDefect defect;
        defect.headline = QStringLiteral("xrdview:a.b:rep.xrd:Case 'q' $(touch x); \"y\"");
        defect.description = QStringLiteral("Test:       a.b\nItem failed:  Case\n");
        defect.attachments << XrdDefect::Attachment{ m_dir.filePath(QStringLiteral("rep one.xrd")),
                                                     QStringLiteral("Report File") };
        return defect;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        m_script = m_dir.filePath(QStringLiteral("tracker.sh"));
        QVERIFY(writeFile(m_script, Script));
        QVERIFY(QFile::setPermissions(m_script,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("rep one.xrd")), "<XROD/>\n"));
        m_out = m_dir.filePath(QStringLiteral("args.txt"));
        qputenv("XRD_OUT", QFile::encodeName(m_out));
        QAModal::setAnswerer([this](const QAModalRequest& request) -> QVariant {
            if (auto* files = qobject_cast<QFileDialog*>(request.dialog)) {
                if (m_chosenFolder.isEmpty() || files->fileMode() != QFileDialog::Directory)
                    return int(QDialog::Rejected);
                files->selectFile(m_chosenFolder);
                return int(QDialog::Accepted);
            }
            if (request.kind == QAModalRequest::Warning) {
                m_reports << request.text;
                return int(QMessageBox::Ok);
            }
            auto* dialog = qobject_cast<XrdDefectDialog*>(request.dialog);
            return dialog && m_onDialog ? m_onDialog(dialog) : QVariant();
        });
    }

    void cleanupTestCase() { QAModal::clearAnswerer(); }

    void init()
    {
        qunsetenv("XRD_EXIT");
        QFile::remove(m_out);
        m_reports.clear();
        m_onDialog = nullptr;
        m_chosenFolder.clear();
    }

    void templateArguments_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("attachments");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("gh") << "gh issue create --title %t --body-file %d" << 1
                            << QStringList{ "gh", "issue", "create", "--title", "T %d", "--body-file", "/tmp/d" };
        QTest::newRow("one argument per attachment")
            << "send %a -m %t" << 2 << QStringList{ "send", "/a 1", "/b", "-m", "T %d" };
        QTest::newRow("attachment inside an argument") << "send --file=%a" << 2
                                                       << QStringList{ "send", "--file=/a 1", "--file=/b" };
        QTest::newRow("no attachments drops the argument") << "send %a --x" << 0 << QStringList{ "send", "--x" };
        QTest::newRow("quotes group words, %% is a percent")
            << "'my tracker' \"--label=a b\" 100%% %t%t" << 0
            << QStringList{ "my tracker", "--label=a b", "100%", "T %dT %d" };
        QTest::newRow("escapes") << "\"a\\\"b\" c\\ d ''" << 0 << QStringList{ "a\"b", "c d", "" };
        QTest::newRow("unknown code kept") << "x %z %" << 0 << QStringList{ "x", "%z", "%" };
        QTest::newRow("glab, description as text")
            << "glab issue create --title=%t --description=%b --yes" << 0
            << QStringList{ "glab", "issue", "create", "--title=T %d", "--description=Line 1\n%t", "--yes" };
        QTest::newRow("empty") << "  " << 0 << QStringList();
    }

    void templateArguments()
    {
        QFETCH(QString, pattern);
        QFETCH(int, attachments);
        QFETCH(QStringList, arguments);
        XrdDefect defect;
        defect.headline = QStringLiteral("T %d"); // a placeholder in a value stays as it is
        defect.description = QStringLiteral("Line 1\n%t");
        const QStringList paths{ "/a 1", "/b" };
        for (int i = 0; i < attachments; ++i)
            defect.attachments << XrdDefect::Attachment{ paths.at(i), QString() };
        QCOMPARE(XrdCommandTracker(pattern).arguments(defect, QStringLiteral("/tmp/d")), arguments);
    }

    void hostileValues_data()
    {
        // Values from a report never pass for options: paths are made
        // absolute, a headline starting with "-" or "+" is refused where it
        // would start an argument. "@" stands for the current folder.
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("refused");
        QTest::newRow("attachment like an option") << "send %a" << "h" << "-rf"
                                                   << QStringList{ "send", "@/-rf" } << false;
        QTest::newRow("attachment normalised") << "send %a" << "h" << "./x/../--eval=(x)"
                                               << QStringList{ "send", "@/--eval=(x)" } << false;
        QTest::newRow("headline as its own argument") << "track %t" << "--exec=x" << ""
                                                      << QStringList{ "track", "--exec=x" } << true;
        QTest::newRow("headline with a plus") << "vim %t" << "+:!touch x" << ""
                                              << QStringList{ "vim", "+:!touch x" } << true;
        QTest::newRow("headline after blanks") << "track %t" << "  -c" << ""
                                               << QStringList{ "track", "  -c" } << true;
        QTest::newRow("headline inside an option") << "track --title=%t" << "-c" << ""
                                                   << QStringList{ "track", "--title=-c" } << false;
        QTest::newRow("plain headline") << "track %t" << "a -c" << "" << QStringList{ "track", "a -c" } << false;
        QTest::newRow("headline with a newline") << "track %t" << "a\n-c" << ""
                                                 << QStringList{ "track", "a\n-c" } << false;
        QTest::newRow("headline after --") << "track -- %t" << "-c" << "" << QStringList{ "track", "--", "-c" }
                                           << false;
        // The description (%b) is "-d body" in every row.
        QTest::newRow("description as its own argument") << "glab -d %b" << "h" << ""
                                                         << QStringList{ "glab", "-d", "-d body" } << true;
        QTest::newRow("description inside an option") << "glab --description=%b" << "h" << ""
                                                      << QStringList{ "glab", "--description=-d body" } << false;
    }

    void hostileValues()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, headline);
        QFETCH(QString, attachment);
        QFETCH(QStringList, arguments);
        QFETCH(bool, refused);
        XrdDefect defect;
        defect.headline = headline;
        defect.description = QStringLiteral("-d body");
        if (!attachment.isEmpty())
            defect.attachments << XrdDefect::Attachment{ attachment, QString() };
        for (QString& argument : arguments)
            argument.replace(QLatin1Char('@'), QDir::currentPath());
        const XrdCommandTracker tracker(pattern);
        QCOMPARE(tracker.arguments(defect, QStringLiteral("/tmp/d.txt")), arguments);
        QCOMPARE(!tracker.unsafeHeadline(defect).isEmpty(), refused);
        if (!refused)
            return;
        // Refused before anything runs: the command would fail to start.
        QString output, error;
        const QString missing = QStringLiteral("/nonexistent/tracker") + pattern.mid(pattern.indexOf(' '));
        QVERIFY(!XrdCommandTracker(missing).submit(defect, &output, &error));
        QVERIFY2(error.contains(QStringLiteral("read as an option")), qPrintable(error));
    }

    void displayLine()
    {
        QCOMPARE(XrdCommandTracker::displayLine({ "gh", "--title", "it's a b", "/x/y.txt" }),
                 "gh --title 'it'\\''s a b' /x/y.txt");
    }

    // The script sees every value as one argument, shell characters and
    // all, and the description in the file it is given.
    void commandRunsScript_data()
    {
        QTest::addColumn<QString>("program"); // "script" or a missing program
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error"); // start of the error; empty on success
        QTest::newRow("success") << "script" << 0 << QString();
        QTest::newRow("non-zero exit")
            << "script" << 3 << "The tracker command \"%1\" failed with exit code 3.\ndenied";
        QTest::newRow("cannot start") << "/nonexistent/tracker" << 0
                                      << "The tracker command \"/nonexistent/tracker\" could not be started";
    }

    void commandRunsScript()
    {
        QFETCH(QString, program);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        if (program == QLatin1String("script"))
            program = m_script;
        qputenv("XRD_EXIT", QByteArray::number(exitCode));
        const XrdDefect defect = sampleDefect();
        QString output, message, line;
        const bool done = XrdCommandTracker(QStringLiteral("'%1' --title %t --body-file %d %a").arg(program))
                              .submit(defect, &output, &message, &line);
        QCOMPARE(done, error.isEmpty());
        QVERIFY(line.startsWith(XrdCommandTracker::displayLine({ program, "--title", defect.headline })));
        if (!done) {
            QVERIFY2(message.startsWith(error.arg(program)), qPrintable(message));
            if (program != m_script)
                return;
        } else {
            QCOMPARE(output, QStringLiteral("https://tracker/1"));
        }
        QList<QByteArray> args = readBytes(m_out).split('\n');
        QCOMPARE(args.size(), 6);
        const QByteArray body = args.takeAt(3); // the description file, a temporary name
        QVERIFY(body.contains("xrdview-defect-"));
        QCOMPARE(args, (QList<QByteArray>{ "[--title]", "[" + defect.headline.toUtf8() + "]", "[--body-file]",
                                           "[" + QFile::encodeName(defect.attachments.at(0).path) + "]", "" }));
        QCOMPARE(readBytes(m_out + QStringLiteral(".body")), defect.description.toUtf8());
        // The description file is gone once the command has ended.
        QVERIFY(!QFile::exists(QString::fromUtf8(body.mid(1, body.size() - 2))));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x"))));
    }

    void folderNeverOverwrites()
    {
        const QString folder = m_dir.filePath(QStringLiteral("defects/new"));
        const XrdDefect defect = sampleDefect();
        QString first, second, error;
        QVERIFY(XrdFolderTracker(folder).submit(defect, &first, &error));
        const QByteArray firstText = readBytes(first);
        XrdDefect other = defect;
        other.headline = QStringLiteral("Other");
        QVERIFY(XrdFolderTracker(folder).submit(other, &second, &error));
        QVERIFY(first != second);
        QCOMPARE(readBytes(first), firstText);

        const QString base = QFileInfo(first).completeBaseName();
        QCOMPARE(QString::fromUtf8(firstText), "# " + defect.headline + "\n\n```\n" + defect.description
                                                   + "```\n\n## Attachments\n\n- [rep one.xrd](" + base
                                                   + "-rep%20one.xrd) (Report File)\n");
        QCOMPARE(readBytes(QDir(folder).filePath(base + "-rep one.xrd")), QByteArray("<XROD/>\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
    }

    // The headline and attachment names are text, never markup: a headline cannot turn into
    // a link, an image, raw HTML or emphasis in the written file.
    void folderMarkdownIsLiteral_data()
    {
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "Case q failed: 3 != 4" << "# Case q failed: 3 != 4";
        QTest::newRow("link") << "[click](http://x)" << "# \\[click\\](http://x)";
        QTest::newRow("image and html") << "![a](b) <img src=x>" << "# !\\[a\\](b) \\<img src=x\\>";
        QTest::newRow("emphasis, code, entity") << "*a* _b_ `c` &lt;" << "# \\*a\\* \\_b\\_ \\`c\\` \\&lt;";
        QTest::newRow("heading closer and newline") << "a ##\n# b" << "# a \\#\\# \\# b";
    }

    void folderMarkdownIsLiteral()
    {
        QFETCH(QString, headline);
        XrdDefect defect;
        defect.headline = headline;
        defect.description = QStringLiteral("d\n");
        QTEST(XrdFolderTracker::markdown(defect, {}).section(QLatin1Char('\n'), 0, 0), "title");
    }

    void folderFailureLeavesNothing_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("attachment");
        QTest::newRow("folder is a file") << "rep one.xrd" << "rep one.xrd";
        QTest::newRow("attachment missing") << "failing" << "gone.xrd";
        QTest::newRow("no folder configured") << "" << "rep one.xrd";
    }

    void folderFailureLeavesNothing()
    {
        QFETCH(QString, folder);
        QFETCH(QString, attachment);
        XrdDefect defect = sampleDefect();
        defect.attachments.first().path = m_dir.filePath(attachment);
        const QString path = folder.isEmpty() ? QString() : m_dir.filePath(folder);
        QString written, error;
        QVERIFY(!XrdFolderTracker(path).submit(defect, &written, &error));
        QVERIFY(!error.isEmpty());
        if (QFileInfo(path).isDir())
            QVERIFY(QDir(path).isEmpty());
    }

    // The client behind the plug-in: the form goes to the dialog, Submit to
    // the tracker; a failure keeps the dialog open with the error.
    void clientThroughDialog_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("report");
        QTest::newRow("submitted") << 0 << "Defect submitted: https://tracker/1\n";
        QTest::newRow("tracker fails")
            << 5 << "Defect not submitted: The tracker command \"%1\" failed with exit code 5.\ndenied\n";
    }

    void clientThroughDialog()
    {
        QFETCH(int, exitCode);
        QFETCH(QString, report);
        qputenv("XRD_EXIT", QByteArray::number(exitCode));
        XrdDefectSettings settings;
        settings.kind = XrdDefectSettings::Command;
        settings.command = QStringLiteral("'%1' --title %t --body-file %d").arg(m_script);
        settings.trace = true;
        XrdDefectClient client;
        client.setSettings(settings);
        client.setReporter([this](const QString& text) { m_reports << text; });

        QVERIFY(client.activatedCmdLine());
        QCOMPARE(client.setHeadLine("early"), short(0)); // no form yet
        QCOMPARE(client.createForm(), short(1));
        QCOMPARE(client.setHeadLine("Head"), short(1));
        QCOMPARE(QByteArray(client.getCmdLine()),
                 QFile::encodeName(m_script) + " --title Head --body-file '<description file>'");
        QCOMPARE(client.setDescription("Line 1\r\nLine 2\r\n"), short(1));
        QCOMPARE(client.addFileAttachment("/nonexistent/rep.xrd", "Report File"), short(0));
        QVERIFY(QByteArray(client.getErrorMessage()).contains("/nonexistent/rep.xrd"));
        const QByteArray attachment = QFile::encodeName(m_dir.filePath(QStringLiteral("rep one.xrd")));
        QCOMPARE(client.addFileAttachment(attachment.constData(), "Report File"), short(1));

        QString shownHeadline, shownDescription, error;
        int attachments = 0;
        m_onDialog = [&](XrdDefectDialog* dialog) -> QVariant {
            shownHeadline = dialog->headlineEdit()->text();
            shownDescription = dialog->descriptionEdit()->toPlainText();
            attachments = dialog->attachmentList()->count();
            dialog->headlineEdit()->setText(QStringLiteral("Edited head"));
            dialog->submit();
            error = dialog->errorText();
            return dialog->result();
        };
        QCOMPARE(client.showMerrowDefectWindow(0), short(1));
        QCOMPARE(shownHeadline, QStringLiteral("Head"));
        QCOMPARE(shownDescription, QStringLiteral("Line 1\nLine 2\n"));
        QCOMPARE(attachments, 1);
        QCOMPARE(m_reports, QStringList{ report.arg(m_script) });
        QCOMPARE(error.isEmpty(), exitCode == 0);
        QCOMPARE(readBytes(m_out).split('\n').at(1), QByteArray("[Edited head]"));
        QVERIFY(QByteArray(client.getCmdLine()).contains("--title 'Edited head' --body-file "));
        // The form is spent: showing it again fails.
        QCOMPARE(client.showMerrowDefectWindow(0), short(0));
    }

    void dialogNeedsHeadline()
    {
        int submitted = 0;
        XrdDefectDialog dialog(XrdDefect{}, QString(),
                               [&](const XrdDefect&, QString*, const XrdDefectDialog::CancelQuery&) {
                                   return ++submitted > 0;
                               });
        dialog.submit();
        QCOMPARE(submitted, 0);
        QVERIFY(!dialog.errorText().isEmpty());
        dialog.headlineEdit()->setText(QStringLiteral("h"));
        dialog.submit();
        QCOMPARE(submitted, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // A tracker command that hangs: Cancel (or the timeout) stops it with the
    // child it started, the dialog stays open with the edited text, and the
    // error says what happened.
    void hangingCommandStops_data()
    {
        QTest::addColumn<bool>("cancel"); // else the timeout
        QTest::addColumn<QString>("error");
        QTest::newRow("cancel") << true << "was stopped";
        QTest::newRow("timeout") << false << "did not finish within 1 seconds";
    }

    void hangingCommandStops()
    {
        QFETCH(bool, cancel);
        const QString hang = m_dir.filePath(QStringLiteral("hang.sh"));
        const QString pidFile = m_dir.filePath(QStringLiteral("child.pid"));
        QFile::remove(pidFile);
        QVERIFY(writeFile(hang, "#!/bin/sh\nsleep 30 &\necho $! > \"$1\"\nwait\n"));
        QVERIFY(QFile::setPermissions(hang, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        XrdDefect defect;
        defect.headline = QStringLiteral("edited headline");
        XrdDefectDialog dialog(defect, QString(),
                               [&](const XrdDefect& d, QString* error, const XrdDefectDialog::CancelQuery& canceled) {
                                   XrdCommandTracker tracker(hang + QLatin1Char(' ') + pidFile);
                                   tracker.setTimeoutSeconds(1);
                                   QString output;
                                   return tracker.submit(d, &output, error, nullptr,
                                                         cancel ? canceled : XrdDefectDialog::CancelQuery());
                               });
        if (cancel)
            QTimer::singleShot(300, &dialog, [&] {
                QVERIFY(dialog.isSubmitting());
                dialog.reject(); // the Cancel button
            });
        QElapsedTimer clock;
        clock.start();
        dialog.submit();
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(dialog.result(), 0); // neither accepted nor rejected: still open
        QCOMPARE(dialog.headlineEdit()->text(), defect.headline);
        QFETCH(QString, error);
        QVERIFY2(dialog.errorText().contains(error), qPrintable(dialog.errorText()));
        // The command's own child went with it.
        QTRY_VERIFY(QFile::exists(pidFile));
        const QByteArray pid = readBytes(pidFile).trimmed();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + pid + "/stat")
                                     || readBytes("/proc/" + pid + "/stat").contains(") Z "),
                                 5000);
        // After the stop, Cancel closes the dialog again.
        dialog.reject();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // The folder tracker's Browse button: a chosen folder is the tracker's
    // folder (and chooses that tracker); a cancelled dialog changes nothing.
    void browseFolder_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<int>("kindBefore");
        QTest::addColumn<int>("kindAfter");
        QTest::newRow("chosen, no tracker yet") << true << int(XrdDefectSettings::None) << int(XrdDefectSettings::Folder);
        QTest::newRow("chosen, folder tracker") << true << int(XrdDefectSettings::Folder) << int(XrdDefectSettings::Folder);
        QTest::newRow("cancelled") << false << int(XrdDefectSettings::None) << int(XrdDefectSettings::None);
    }

    void browseFolder()
    {
        QFETCH(bool, choose);
        QFETCH(int, kindBefore);
        const QString file = m_dir.filePath(QStringLiteral("browse.ini"));
        QFile::remove(file);
        const QString folder = m_dir.filePath(QStringLiteral("defects"));
        QVERIFY(QDir().mkpath(folder));
        if (choose)
            m_chosenFolder = folder;
        XrdDefectPage page(file);
        std::unique_ptr<QWidget> widget(page.createWidget(nullptr));
        page.updateContents();
        page.kindBox()->setCurrentIndex(kindBefore);
        QVERIFY(page.browseButton()->isEnabled());
        QTest::mouseClick(page.browseButton(), Qt::LeftButton);
        QCOMPARE(page.folderEdit()->text(), choose ? QDir::toNativeSeparators(folder) : QString());
        QTEST(page.kindBox()->currentIndex(), "kindAfter");
        page.apply();
        QCOMPARE(XrdDefectSettings::load(file).folder, page.folderEdit()->text());
        page.kindBox()->setCurrentIndex(XrdDefectSettings::Command);
        QVERIFY(!page.browseButton()->isEnabled());
    }

    // A settings file that cannot be written is said, not ignored.
    void failedSaveIsReported()
    {
        const QString blocker = m_dir.filePath(QStringLiteral("not-a-folder"));
        QVERIFY(writeFile(blocker, "x"));
        XrdDefectPage page(blocker + QStringLiteral("/defect-tracker.ini"));
        std::unique_ptr<QWidget> widget(page.createWidget(nullptr));
        page.updateContents();
        QTest::keyClicks(page.commandEdit(), QStringLiteral("gh issue create --title=%t"));
        page.apply();
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.first().contains(QStringLiteral("could not be saved")), qPrintable(m_reports.first()));
    }

    // No tracker: no client, and the output pane then says where to set one.
    void studioOffersConfiguredClient()
    {
        const QString file = m_dir.filePath(QStringLiteral("defect-tracker.ini"));
        QFile::remove(file);
        XrdStudio studio(m_dir.path());
        QMainWindow window;
        QAStOutputWidget pane;
        studio.setMainWindow(&window);
        studio.setOutputPane(&pane);
        studio.setDefectSettingsFile(file);
        QVERIFY(!studio.defectClient());
        QTRY_VERIFY(pane.toPlainText().contains(QStringLiteral("Settings > Preferences > Defect tracker")));

        XrdDefectPage page(file);
        std::unique_ptr<QWidget> widget(page.createWidget(nullptr));
        page.updateContents();
        QTest::keyClicks(page.commandEdit(), QStringLiteral("gh issue create --title %t"));
        QCOMPARE(page.kindBox()->currentIndex(), int(XrdDefectSettings::Command));
        page.traceBox()->setChecked(true);
        page.apply();
        MerrowInterface* client = studio.defectClient();
        QVERIFY(client);
        QVERIFY(client->activatedCmdLine());
        QCOMPARE(XrdDefectSettings::load(file).command, QStringLiteral("gh issue create --title %t"));

        page.kindBox()->setCurrentIndex(XrdDefectSettings::Folder);
        page.cancel();
        page.updateContents();
        QCOMPARE(page.kindBox()->currentIndex(), int(XrdDefectSettings::Command));
        page.defaults();
        page.updateContents();
        page.apply();
        QVERIFY(!studio.defectClient());
    }
};

QTEST_MAIN(TestXrdDefect)
#include "tst_xrddefect.moc"
