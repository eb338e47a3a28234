#include "xrdview/cli/xrdcommandline.h"
#include "xrdview/cli/xrdreporttext.h"
#include "xrdview/host/xrdresourcestore.h"
#include "xrdview/gui/xrdsourcelink.h"

#include "sdk/qalistview.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresproducer.h"

#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Produces a group "<tag>" holding one integer "value".
class Producer : public QAResProducer
{
public:
    Producer(const char* tag, int value) : m_tag(tag), m_value(value) {}
    QARes* produceResources(const char*) override { return new QAResGroup(m_tag, new QAResInt("value", m_value)); }

private:
    const char* m_tag;
    int m_value;
};

int storedValue(const QString& path, const char* name)
{
    const std::unique_ptr<QARes> root = XrdResourceStore::load(path);
    const QARes* res = root ? root->toResGroup()->firstChild()->search(name) : nullptr;
    return res && res->toResInt() ? res->toResInt()->value() : -1;
}

// Appends a row `name` under `parent`, with `verdict` on column 1 when valid.
QStandardItem* node(QStandardItem* parent, const QString& name, const QVariant& verdict)
{
    auto* item = new QStandardItem(name);
    auto* verdictCell = new QStandardItem;
    if (verdict.isValid())
        verdictCell->setData(verdict, QAListView::VerdictRole);
    parent->appendRow({ item, verdictCell });
    return item;
}

// A file row with a chain of `depth` nested "ok" nodes below it, each row's
// internal id its level: a deep tree without any per-row object.
class ChainModel : public QAbstractItemModel
{
public:
    explicit ChainModel(int depth) : m_depth(depth) {}
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        const quintptr level = parent.isValid() ? parent.internalId() + 1 : 0;
        return row == 0 && level <= quintptr(m_depth) ? createIndex(0, column, level) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        return child.internalId() == 0 ? QModelIndex() : createIndex(0, 0, child.internalId() - 1);
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return !parent.isValid() ? 1 : parent.column() == 0 && parent.internalId() < quintptr(m_depth);
    }
    int columnCount(const QModelIndex&) const override { return 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (index.internalId() == 0)
            return QVariant();
        if (role == Qt::DisplayRole && index.column() == 0)
            return QStringLiteral("n");
        if (role == QAListView::VerdictRole && index.column() == 1)
            return QStringLiteral("ok");
        return QVariant();
    }

private:
    int m_depth;
};

} // namespace

// The host's parts that need no plug-in: the command line, source-link
// targets and editor commands, the printed outline and failed total, and
// the settings file.
class tst_XrdParts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("error"); // null: the arguments are valid
        QTest::addColumn<QString>("exportDir");

        const QStringList none;
        const QStringList a{ "a.xrd" };
        const auto ok = [&](const char* name, const QStringList& args, XrdCommandLine::Mode mode,
                            bool failed, const QStringList& hidden, const QStringList& files,
                            const QString& exportDir = QString()) {
            QTest::newRow(name) << args << int(mode) << failed << hidden << files << QString() << exportDir;
        };
        const auto bad = [&](const char* name, const QStringList& args, const QString& error) {
            QTest::newRow(name) << args << 0 << false << none << none << error << QString();
        };
        ok("gui without files", {}, XrdCommandLine::Gui, false, none, none);
        ok("gui with files", { "a.xrd", "b.xrd" }, XrdCommandLine::Gui, false, none, { "a.xrd", "b.xrd" });
        ok("summary", { "--summary", "a.xrd" }, XrdCommandLine::Summary, false, none, a);
        ok("options after files", { "a.xrd", "--print-tree", "--failed-only" }, XrdCommandLine::PrintTree,
           true, none, a);
        ok("repeated hide-type, both spellings",
           { "--print-text", "--hide-type", "Check", "--hide-type=Script", "a.xrd" },
           XrdCommandLine::PrintText, false, { "Check", "Script" }, a);
        ok("double dash keeps a dash file", { "--print-summary", "--", "--odd.xrd" },
           XrdCommandLine::PrintSummary, false, none, { "--odd.xrd" });
        ok("help needs no file", { "--help" }, XrdCommandLine::Help, false, none, none);
        ok("version", { "--version" }, XrdCommandLine::Version, false, none, none);
        bad("unknown option", { "--summary", "--bogus", "a.xrd" }, "unknown option --bogus");
        bad("headless without file", { "--print-tree" }, "no report file given");
        bad("two modes", { "--summary", "--print-tree", "a.xrd" },
            "--print-tree cannot be combined with another mode");
        bad("hide-type without type", { "--print-tree", "a.xrd", "--hide-type" },
            "--hide-type needs a node type");
        ok("export with filter", { "--export-html", "out", "--failed-only", "a.xrd" },
           XrdCommandLine::ExportHtml, true, none, a, "out");
        bad("export without folder", { "--export-html" }, "--export-html needs a folder");
        bad("export twice", { "--export-html", "o", "--export-html", "p", "a.xrd" },
            "--export-html cannot be combined with another mode");
        bad("export without file", { "--export-html", "out" }, "no report file given");
        const QString filterMode(
            "--failed-only and --hide-type go with --print-tree, --print-text or --export-html");
        bad("failed-only with summary", { "--summary", "--failed-only", "a.xrd" }, filterMode);
        bad("filter in the gui", { "--failed-only", "a.xrd" }, filterMode);

        // Option values: after a space or '=', taken as they are even when they look like options.
        ok("export folder after =", { "--export-html=out", "a.xrd" }, XrdCommandLine::ExportHtml, false, none, a,
           "out");
        ok("export folder named like a mode", { "--export-html", "--summary", "a.xrd" }, XrdCommandLine::ExportHtml,
           false, none, a, "--summary");
        ok("node type named like an option", { "--print-tree", "--hide-type", "--failed-only", "a.xrd" },
           XrdCommandLine::PrintTree, false, { "--failed-only" }, a);
        bad("empty node type", { "--print-tree", "--hide-type=", "a.xrd" }, "--hide-type needs a node type");
        bad("empty export folder", { "--export-html", "", "a.xrd" }, "--export-html needs a folder");
        bad("value given to a switch", { "--print-tree", "--failed-only=yes", "a.xrd" },
            "--failed-only takes no value");
        bad("value given to a mode", { "--summary=all", "a.xrd" }, "--summary takes no value");
        bad("value given to a switch after a valued option",
            { "--print-tree", "--hide-type=Check", "--failed-only=1", "a.xrd" }, "--failed-only takes no value");

        // Unknown options, wherever they stand; the first one is named.
        bad("unknown short option", { "--summary", "-x", "a.xrd" }, "unknown option -x");
        bad("unknown option after the files", { "a.xrd", "--bogus", "--other" }, "unknown option --bogus");
        bad("unknown option with a value", { "--bogus=1", "a.xrd" }, "unknown option --bogus");
        bad("single-dash word", { "-summary", "a.xrd" }, "unknown option -summary");

        // "--" ends the options; a lone "-" is a file.
        ok("options after double dash are files", { "--summary", "--", "--failed-only", "--print-tree" },
           XrdCommandLine::Summary, false, none, { "--failed-only", "--print-tree" });
        ok("only files after double dash", { "--", "--help" }, XrdCommandLine::Gui, false, none, { "--help" });
        ok("second double dash is a file", { "--print-text", "--", "a.xrd", "--" }, XrdCommandLine::PrintText,
           false, none, { "a.xrd", "--" });
        ok("single dash is a file", { "--summary", "-" }, XrdCommandLine::Summary, false, none, { "-" });
        bad("double dash only", { "--summary", "--" }, "no report file given");

        // Modes and the parser's own options.
        ok("short help", { "-h" }, XrdCommandLine::Help, false, none, none);
        ok("short version", { "-v" }, XrdCommandLine::Version, false, none, none);
        ok("same mode twice", { "--summary", "a.xrd", "--summary" }, XrdCommandLine::Summary, false, none, a);
        bad("help with a mode", { "--summary", "--help" }, "--help cannot be combined with another mode");
        bad("version with export", { "--version", "--export-html", "o", "a.xrd" },
            "--export-html cannot be combined with another mode");
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const XrdCommandLine line = XrdCommandLine::parse(args);
        QCOMPARE(line.error, error);
        QCOMPARE(line.hasError(), !error.isNull());
        if (!error.isNull())
            return;
        QTEST(int(line.mode), "mode");
        QTEST(line.failedOnly, "failedOnly");
        QTEST(line.hiddenTypes, "hidden");
        QTEST(line.files, "files");
        QTEST(line.exportDir, "exportDir");
    }

    void sourceLink_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("url");
        QTest::addColumn<int>("problem");
        const int none = XrdSourceLink::NoProblem;
        QTest::newRow("last line wins") << "foo line 3 and line 9" << "foo line 3 and" << 9 << false << none;
        QTest::newRow("text after the digits") << "a.c line 7 (inner loop)" << "a.c" << 7 << false << none;
        QTest::newRow("white space trimmed") << "  /p/x.c   line 7" << "/p/x.c" << 7 << false << none;
        QTest::newRow("line without digits") << "/p/x.c line seven" << "/p/x.c line seven" << 0 << false << none;
        QTest::newRow("name holding 'line'") << "/p/inline.c line 5" << "/p/inline.c" << 5 << false << none;
        QTest::newRow("file url") << "file:///p/x.c line 3" << "/p/x.c" << 3 << false << none;
        QTest::newRow("web address") << "https://example.org/a line 3" << "https://example.org/a line 3" << 0
                                     << true << none;
        QTest::newRow("mail address") << "mailto:qa@example.org" << "mailto:qa@example.org" << 0 << true << none;
        QTest::newRow("drive letter is a path") << "C:/p/x.c line 2" << "C:/p/x.c" << 2 << false << none;
        QTest::newRow("line too large for an int") << "x.c line 99999999999" << "x.c" << 0 << false << none;
        QTest::newRow("non-ASCII digits are no line") << QString::fromUtf8("x.c line \u0663") << QString::fromUtf8("x.c line \u0663")
                                                      << 0 << false << none;
        QTest::newRow("empty") << "" << "" << 0 << false << int(XrdSourceLink::NoFile);
        QTest::newRow("only a line") << " line 4" << "" << 4 << false << int(XrdSourceLink::NoFile);
        const int control = XrdSourceLink::ControlCharacter;
        QTest::newRow("newline") << "a\nb line 2" << "" << 0 << false << control;
        QTest::newRow("NUL") << QString::fromLatin1("a\0b", 3) << "" << 0 << false << control;
        QTest::newRow("escape") << "a\x1b[2Jb" << "" << 0 << false << control;
        QTest::newRow("line separator") << QString::fromUtf8("a\u2028b") << "" << 0 << false << control;
        const int scheme = XrdSourceLink::UnsafeScheme;
        QTest::newRow("javascript") << "javascript:x" << "" << 0 << false << scheme;
        QTest::newRow("javascript, upper case, with a line") << "JavaScript:alert(1) line 3" << "" << 0 << false
                                                             << scheme;
        QTest::newRow("data") << "data:text/html,<b>x</b>" << "" << 0 << false << scheme;
        QTest::newRow("custom handler") << "vscode://file/etc/passwd" << "" << 0 << false << scheme;
        QTest::newRow("smb") << "smb://host/share/x.c line 2" << "" << 0 << false << scheme;
    }

    void sourceLink()
    {
        QFETCH(QString, target);
        const XrdSourceLink link = XrdSourceLink::parse(target);
        QTEST(int(link.problem), "problem");
        QTEST(link.isUrl(), "url");
        if (link.problem != XrdSourceLink::NoProblem && link.problem != XrdSourceLink::NoFile)
            return;
        QTEST(link.file, "file");
        QTEST(link.line, "line");
    }

    void editorCommand_data()
    {
        QTest::addColumn<QString>("commandTemplate");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("both placeholders") << "gedit +%l %f" << "/p/x.c line 12"
                                           << QStringList{ "gedit", "+12", "/p/x.c" };
        QTest::newRow("joined placeholders") << "code --goto %f:%l" << "/p/x.c line 3"
                                             << QStringList{ "code", "--goto", "/p/x.c:3" };
        QTest::newRow("no line gives 1") << "vi +%l %f" << "/p/x.c" << QStringList{ "vi", "+1", "/p/x.c" };
        QTest::newRow("file appended") << "less" << "/p/x.c line 2" << QStringList{ "less", "/p/x.c" };
        QTest::newRow("quoted program") << "\"/opt/my editor/ed\" %f" << "/p/x.c line 2"
                                        << QStringList{ "/opt/my editor/ed", "/p/x.c" };
        QTest::newRow("file name with %l stays") << "ed %f" << "/p/50%l.c line 2" << QStringList{ "ed", "/p/50%l.c" };
        QTest::newRow("file url") << "vim +%l %f" << "file:///p/./q/../x.c line 4"
                                  << QStringList{ "vim", "+4", "/p/x.c" };
        // Report text never reaches the editor where it could pass for an option.
        QTest::newRow("vim command") << "vim +%l %f" << "+:!touch x line 3"
                                     << QStringList{ "vim", "+3", "/r/+:!touch x" };
        QTest::newRow("short option") << "vim +%l %f" << "-c" << QStringList{ "vim", "+1", "/r/-c" };
        QTest::newRow("long option") << "emacs +%l %f" << "--eval=(x) line 2"
                                     << QStringList{ "emacs", "+2", "/r/--eval=(x)" };
        QTest::newRow("appended option") << "less" << "-f" << QStringList{ "less", "/r/-f" };
        QTest::newRow("relative path normalised") << "ed %f" << "./sub/../-x.c line 1" << QStringList{ "ed", "/r/-x.c" };
        QTest::newRow("out of the folder") << "ed %f" << "../../../-x" << QStringList{ "ed", "/-x" };
        QTest::newRow("file url with a relative path") << "ed %f" << "file:-c" << QStringList{ "ed", "/r/-c" };
        QTest::newRow("line that is no number") << "vim +%l %f" << "a.c line -3" << QStringList{ "vim", "+1", "/r/a.c line -3" };
        QTest::newRow("newline refused") << "vim +%l %f" << "a\nb" << QStringList();
        QTest::newRow("javascript refused") << "vim +%l %f" << "javascript:x" << QStringList();
        QTest::newRow("web address not edited") << "vim %f" << "https://example.org/x.c" << QStringList();
        QTest::newRow("empty refused") << "vim %f" << " line 3" << QStringList();
    }

    void editorCommand()
    {
        QFETCH(QString, commandTemplate);
        QFETCH(QString, target);
        QTEST(XrdSourceLink::parse(target).editorCommand(commandTemplate, QStringLiteral("/r")), "command");
    }

    void relativeLinkWithoutFolder()
    {
        // Without a report folder the current one is the base: still absolute.
        const QString path = XrdSourceLink::parse(QStringLiteral("-c line 2")).absoluteFile(QString());
        QCOMPARE(path, QDir::cleanPath(QDir::currentPath() + QStringLiteral("/-c")));
    }

    void outline()
    {
        // What the golden trees never show: no or unknown verdicts.
        QStandardItemModel model;
        auto* file = new QStandardItem(QStringLiteral("a.xrd"));
        model.appendRow(file);
        QStandardItem* script = node(file, QStringLiteral("script"), QStringLiteral("ok"));
        node(script, QStringLiteral("unknown"), QStringLiteral("maybe"));
        node(script, QStringLiteral("none"), QVariant());
        QCOMPARE(XrdReportText::outline(&model),
                 QStringLiteral("a.xrd\n  ok  script\n    --  unknown\n    --  none\n"));
        QCOMPARE(XrdReportText::outline(nullptr), QString());
    }

    void outlineOfDeepTree()
    {
        // A report nested far deeper than a recursive walk would survive.
        const int depth = 20000;
        ChainModel model(depth);
        const QString text = XrdReportText::outline(&model);
        QCOMPARE(text.count(QLatin1Char('\n')), depth + 1);
        QVERIFY(text.endsWith(QString(2 * depth, QLatin1Char(' ')) + QStringLiteral("ok  n\n")));
    }

    void settingsSaveKeepsOtherGroups()
    {
        QString error;
        QVERIFY(!XrdResourceStore::load(QStringLiteral("/nonexistent/resources.xml"), &error));
        QVERIFY(error.isEmpty()); // a missing file is no error

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/resources.xml"));
        Producer first("REPORTER", 1);
        Producer other("OTHER", 7);
        QVERIFY2(XrdResourceStore::save(path, { &first, &other }, &error), qPrintable(error));
        QCOMPARE(storedValue(path, "REPORTER.value"), 1);
        Producer second("REPORTER", 2);
        QVERIFY(XrdResourceStore::save(path, { &second }));
        QCOMPARE(XrdResourceStore::load(path)->toResGroup()->childCount(), 2);
        QCOMPARE(storedValue(path, "REPORTER.value"), 2);
        QCOMPARE(storedValue(path, "OTHER.value"), 7);
    }

    void brokenSettingsFileIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("resources.xml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("<group tag=\"XRDVIEW\"><int tag=") > 0);
        file.close();
        QString error;
        QVERIFY(!XrdResourceStore::load(path, &error));
        QVERIFY(error.contains(path));
        Producer reporter("REPORTER", 3);
        QVERIFY(XrdResourceStore::save(path, { &reporter }));
        QVERIFY(QFile::exists(path + QStringLiteral(".bad")));
        QCOMPARE(storedValue(path, "REPORTER.value"), 3);
    }
};

QTEST_MAIN(tst_XrdParts)
#include "tst_xrdparts.moc"
