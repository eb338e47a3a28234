#include "xrdview/xrdsourcelink.h"

#include <QTest>

// Reading source-link targets and building the user's editor command.
class tst_XrdSourceLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void editorCommand_data();
    void editorCommand();
};

void tst_XrdSourceLink::parse_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("url");

    QTest::newRow("file and line") << "/p/src/parser.c line 42" << "/p/src/parser.c" << 42 << false;
    QTest::newRow("last line wins") << "foo line 3 and line 9" << "foo line 3 and" << 9 << false;
    QTest::newRow("text after the digits") << "a.c line 7 (inner loop)" << "a.c" << 7 << false;
    QTest::newRow("white space trimmed") << "  /p/x.c   line 7" << "/p/x.c" << 7 << false;
    QTest::newRow("no line") << "/p/readme.txt" << "/p/readme.txt" << 0 << false;
    QTest::newRow("line without digits") << "/p/x.c line seven" << "/p/x.c line seven" << 0
                                         << false;
    QTest::newRow("name holding 'line'") << "/p/inline.c line 5" << "/p/inline.c" << 5 << false;
    QTest::newRow("file url") << "file:///p/x.c line 3" << "/p/x.c" << 3 << false;
    QTest::newRow("web address") << "https://example.org/a line 3" << "https://example.org/a line 3"
                                 << 0 << true;
    QTest::newRow("empty") << "" << "" << 0 << false;
}

void tst_XrdSourceLink::parse()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(bool, url);

    const XrdSourceLink link = XrdSourceLink::parse(target);
    QCOMPARE(link.file, file);
    QCOMPARE(link.line, line);
    QCOMPARE(link.isUrl(), url);
}

void tst_XrdSourceLink::editorCommand_data()
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
    QTest::newRow("file name with %l stays") << "ed %f" << "/p/50%l.c line 2"
                                             << QStringList{ "ed", "/p/50%l.c" };
}

void tst_XrdSourceLink::editorCommand()
{
    QFETCH(QString, commandTemplate);
    QFETCH(QString, target);
    QFETCH(QStringList, command);
    QCOMPARE(XrdSourceLink::parse(target).editorCommand(commandTemplate), command);
}

QTEST_GUILESS_MAIN(tst_XrdSourceLink)
#include "tst_xrdsourcelink.moc"
