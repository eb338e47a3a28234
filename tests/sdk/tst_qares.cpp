#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"
#include "sdk/qaresxml.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Resource tree: path search, casts, ownership and freeing of deep trees;
// storing trees as XML: golden file, refusal of bad or hostile input.
class tst_QARes : public QObject
{
    Q_OBJECT

private:
    const QString m_golden = QStringLiteral(KORVAT_TEST_DATA "/reporter.xml");

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray nested(int depth)
    {
        return "<resources>" + QByteArray("<group tag=\"g\">").repeated(depth) + QByteArray("</group>").repeated(depth)
            + "</resources>";
    }

private Q_SLOTS:
    void search_data()
    {
        QTest::addColumn<bool>("fromChild"); // start at the root's first child instead of the root
        QTest::addColumn<QString>("path");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("found"); // tag of the resource found, empty for none

        QTest::newRow("root itself") << false << "REPORTER" << '.' << "REPORTER";
        QTest::newRow("three levels") << false << "REPORTER.STYLES.style" << '.' << "style";
        QTest::newRow("sibling of start") << true << "auto_depth" << '.' << "auto_depth";
        QTest::newRow("deep through a later sibling") << true << "STYLES.style.name" << '.' << "name";
        QTest::newRow("later child of a group") << true << "STYLES.nochildren" << '.' << "nochildren";
        QTest::newRow("other separator") << false << "REPORTER/STYLES/style" << '/' << "style";
        QTest::newRow("dot is no separator then") << false << "REPORTER.STYLES" << '/' << "";
        QTest::newRow("missing last element") << true << "STYLES.nothing" << '.' << "";
        QTest::newRow("missing first element") << true << "NOPE.style" << '.' << "";
        QTest::newRow("descend into a value") << true << "auto_depth.x" << '.' << "";
        QTest::newRow("tag not on start level") << false << "STYLES" << '.' << "";
        QTest::newRow("empty path") << false << "" << '.' << "";
        QTest::newRow("case matters") << true << "styles" << '.' << "";
        QTest::newRow("empty element") << true << "STYLES..style" << '.' << "";
    }

    void search()
    {
        QFETCH(bool, fromChild);
        QFETCH(QString, path);
        QFETCH(char, separator);
        // REPORTER { background, auto_raise, auto_depth, STYLES { style { name, empty, null }, nochildren } }
        const auto root = QAResXml::readFile(m_golden);
        QVERIFY(root);
        const QARes* from = fromChild ? root->child() : root.get();
        QARes* found = from->search(path.toUtf8().constData(), separator);
        QTEST(found ? found->tag() : QString(), "found");
        // The QString overload agrees with the C string one.
        QCOMPARE(from->search(path, QLatin1Char(separator)), found);
        QVERIFY(!from->search(static_cast<const char*>(nullptr), separator));
    }

    void appendAndReplaceChildren()
    {
        QAResGroup group("g");
        QARes* a = group.appendChild(new QAResInt("a", 1));
        // Siblings chained to a child are children too; the next append goes after them.
        group.appendChild(new QAResInt("b", 2))->setNext(new QAResInt("c", 3));
        group.appendChild(new QAResInt("d", 4));
        QCOMPARE(group.childCount(), 4);
        QCOMPARE(group.firstChild(), a);
        QCOMPARE(group.search(QStringLiteral("g.d"))->toResInt()->value(), 4);
        // Appending after a replacement lands after the new child.
        group.setChild(new QAResBoolean("only", true));
        group.appendChild(new QAResInt("e", 5));
        QCOMPARE(group.childCount(), 2);
        QAResGroup::freeChain(group.takeChildren());
        QCOMPARE(group.childCount(), 0);
        // Appending stays linear: 200,000 children would take minutes if each
        // append walked the whole chain.
        for (int i = 0; i < 200000; ++i)
            group.appendChild(new QAResInt("n", i));
        QCOMPARE(group.childCount(), 200000);
    }

    void deepTreeWithoutRecursion_data()
    {
        QTest::addColumn<bool>("withSiblings");
        QTest::newRow("chain of single children") << false;
        QTest::newRow("each level with a value sibling") << true;
    }

    void deepTreeWithoutRecursion()
    {
        QFETCH(bool, withSiblings);
        auto* root = new QAResGroup("level");
        QAResGroup* deepest = root;
        for (int i = 0; i < 100000; ++i) {
            auto* group = new QAResGroup("level");
            deepest->appendChild(group);
            if (withSiblings)
                deepest->appendChild(new QAResString("s", "v"));
            deepest = group;
        }
        deepest->appendChild(new QAResInt("leaf", 1));
        // Far deeper than the reading limit: written with bounded indentation,
        // read back refused, not crashed on; freed without recursion.
        const QByteArray xml = QAResXml::write(root);
        QVERIFY(xml.size() < 100000 * 300);
        QString error;
        QVERIFY(!QAResXml::read(xml, &error));
        QVERIFY(!error.isEmpty());
        delete root;
        // Exactly at the limit is accepted.
        QVERIFY(QAResXml::read(nested(QAResXml::MaxDepth)));
    }

    void goldenRoundTrip()
    {
        // The golden file holds every kind of resource, escaped text, a null
        // and an empty string and an empty group.
        const QByteArray expected = contents(m_golden);
        QString error;
        auto tree = QAResXml::readFile(m_golden, &error);
        QVERIFY2(tree, qPrintable(error));
        QCOMPARE(QAResXml::write(tree.get()), expected);
        QCOMPARE(tree->search("REPORTER.STYLES.style.name")->toResString()->value(), QStringLiteral("Title1 <Failed> & \"x\""));
        QVERIFY(tree->search("REPORTER.STYLES.style.null")->toResString()->value().isNull());
        QVERIFY(!tree->search("REPORTER.STYLES.style.empty")->toResString()->value().isNull());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prefs.xml"));
        QVERIFY(QAResXml::writeFile(tree.get(), path));
        QCOMPARE(contents(path), expected);
        QVERIFY(!QAResXml::readFile(dir.filePath(QStringLiteral("missing.xml")), &error));
        QVERIFY(!error.isEmpty());
    }

    void rootSiblingsAreNotWritten()
    {
        QAResInt root("one", 1);
        QAResInt sibling("two", 2);
        const QByteArray alone = QAResXml::write(&root);
        root.setNext(&sibling);
        QCOMPARE(QAResXml::write(&root), alone);
        root.setNext(nullptr);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("errorPart");

        const QByteArray head = "<?xml version=\"1.0\"?>\n";
        const auto in = [&head](const char* body) { return head + "<resources>" + body + "</resources>"; };
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("truncated") << head + "<resources><group tag=\"a\"><int tag=\"b\" value=\"1\"/>" << "";
        QTest::newRow("wrong root") << head + "<prefs/>" << "not a resource file";
        QTest::newRow("no resource") << in("") << "no resource";
        QTest::newRow("two roots") << in("<int tag=\"a\" value=\"1\"/><int tag=\"b\" value=\"2\"/>") << "more than one";
        QTest::newRow("missing tag") << in("<int value=\"1\"/>") << "tag";
        QTest::newRow("unknown element") << in("<float tag=\"a\" value=\"1\"/>") << "unknown element";
        QTest::newRow("bad int") << in("<int tag=\"a\" value=\"x1\"/>") << "not an integer";
        QTest::newRow("int overflow") << in("<int tag=\"a\" value=\"99999999999\"/>") << "not an integer";
        QTest::newRow("bad boolean") << in("<boolean tag=\"a\" value=\"yes\"/>") << "not a boolean";
        QTest::newRow("colour out of range") << in("<rgb tag=\"a\" red=\"256\" green=\"0\" blue=\"0\"/>") << "out of range";
        QTest::newRow("colour part missing") << in("<rgb tag=\"a\" red=\"1\" green=\"0\"/>") << "blue";
        QTest::newRow("value holding elements") << in("<int tag=\"a\" value=\"1\"><int tag=\"b\" value=\"1\"/></int>") << "cannot hold";
        QTest::newRow("doctype with entities") << head + "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
                "<resources><string tag=\"x\" value=\"&b;&b;&b;\"/></resources>" << "document type";
        QTest::newRow("undeclared entity") << in("<string tag=\"x\" value=\"&zz;\"/>") << "";
        QTest::newRow("text after root") << in("<int tag=\"a\" value=\"1\"/>") + "<resources/>" << "";
        QTest::newRow("one past the depth limit") << nested(QAResXml::MaxDepth + 1) << QString::number(QAResXml::MaxDepth);
        QTest::newRow("hostile depth") << nested(200000) << QString::number(QAResXml::MaxDepth);
        QTest::newRow("oversized") << "<resources><string tag=\"a\" value=\"" + QByteArray(QAResXml::MaxBytes, 'x')
                + "\"/></resources>" << "larger";
    }

    void badInput()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, errorPart);
        QString error;
        QVERIFY(!QAResXml::read(xml, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(errorPart), qPrintable(error));
        // Reading without asking for the error is just as safe.
        QVERIFY(!QAResXml::read(xml));
    }
};

QTEST_APPLESS_MAIN(tst_QARes)
#include "tst_qares.moc"
