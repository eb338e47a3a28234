#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"
#include "sdk/qaresxml.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Storing resource trees as XML: golden output, round trips and refusal of
// bad or hostile input.
class tst_QAResXml : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<QARes> sample()
    {
        auto root = std::make_unique<QAResGroup>(QStringLiteral("REPORTER"));
        root->appendChild(new QAResRGB(QStringLiteral("background"), 255, 0, 128));
        root->appendChild(new QAResBoolean(QStringLiteral("auto_raise"), false));
        root->appendChild(new QAResInt(QStringLiteral("auto_depth"), -3));
        auto* styles = root->appendChild(new QAResGroup(QStringLiteral("STYLES")))->toResGroup();
        auto* style = styles->appendChild(new QAResGroup(QStringLiteral("style")))->toResGroup();
        style->appendChild(new QAResString(QStringLiteral("name"), QStringLiteral("Title1 <Failed> & \"x\"")));
        style->appendChild(new QAResString(QStringLiteral("empty"), QLatin1String("")));
        style->appendChild(new QAResString(QStringLiteral("null")));
        styles->appendChild(new QAResGroup(QStringLiteral("nochildren")));
        return root;
    }

    // One line per resource: depth, kind, tag and value, walked iteratively.
    static QStringList dump(const QARes* root)
    {
        QStringList out;
        std::vector<std::pair<const QARes*, int>> stack{ { root, 0 } };
        while (!stack.empty()) {
            auto [res, depth] = stack.back();
            stack.pop_back();
            QString line = QString(depth, QLatin1Char(' ')) + QString::number(res->kind())
                + QLatin1Char(' ') + res->tag();
            if (auto* s = res->toResString())
                line += s->value().isNull() ? QStringLiteral(" <null>") : QLatin1Char('=') + s->value();
            if (auto* b = res->toResBoolean())
                line += b->value() ? QStringLiteral("=true") : QStringLiteral("=false");
            if (auto* i = res->toResInt())
                line += QLatin1Char('=') + QString::number(i->value());
            if (auto* c = res->toResRGB())
                line += QStringLiteral("=%1,%2,%3").arg(c->red()).arg(c->green()).arg(c->blue());
            out << line;
            std::vector<const QARes*> children;
            for (const QARes* child = res->child(); child; child = child->next())
                children.push_back(child);
            for (auto it = children.rbegin(); it != children.rend(); ++it)
                stack.push_back({ *it, depth + 1 });
        }
        return out;
    }

    static QByteArray golden(const char* name)
    {
        QFile file(QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }

private Q_SLOTS:
    void writesGolden()
    {
        const QByteArray expected = golden("reporter.xml");
        QVERIFY(!expected.isEmpty());
        QCOMPARE(QAResXml::write(sample().get()), expected);
    }

    void roundTrip()
    {
        auto tree = sample();
        QString error;
        auto back = QAResXml::read(QAResXml::write(tree.get()), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(dump(back.get()), dump(tree.get()));
        QVERIFY(back->search("REPORTER.STYLES.style.null")->toResString()->value().isNull());
        QVERIFY(!back->search("REPORTER.STYLES.style.empty")->toResString()->value().isNull());
    }

    void rootSiblingsAreNotWritten()
    {
        QAResInt root("one", 1);
        QAResInt sibling("two", 2);
        root.setNext(&sibling);
        auto back = QAResXml::read(QAResXml::write(&root));
        root.setNext(nullptr);
        QVERIFY(back);
        QCOMPARE(back->tag(), QStringLiteral("one"));
        QVERIFY(!back->next());
    }

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prefs.xml"));
        QString error;
        QVERIFY(QAResXml::writeFile(sample().get(), path, &error));
        auto back = QAResXml::readFile(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(dump(back.get()), dump(sample().get()));
        QVERIFY(!QAResXml::readFile(dir.filePath(QStringLiteral("missing.xml")), &error));
        QVERIFY(!error.isEmpty());
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("errorPart");

        const QByteArray head = "<?xml version=\"1.0\"?>\n";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("not xml") << QByteArray("hello") << "";
        QTest::newRow("truncated") << head + "<resources><group tag=\"a\"><int tag=\"b\" value=\"1\"/>" << "";
        QTest::newRow("wrong root") << head + "<prefs/>" << "not a resource file";
        QTest::newRow("no resource") << head + "<resources/>" << "no resource";
        QTest::newRow("two roots") << head + "<resources><int tag=\"a\" value=\"1\"/><int tag=\"b\" value=\"2\"/></resources>"
                                   << "more than one";
        QTest::newRow("missing tag") << head + "<resources><int value=\"1\"/></resources>" << "tag";
        QTest::newRow("unknown element") << head + "<resources><float tag=\"a\" value=\"1\"/></resources>"
                                         << "unknown element";
        QTest::newRow("bad int") << head + "<resources><int tag=\"a\" value=\"x1\"/></resources>" << "not an integer";
        QTest::newRow("int overflow") << head + "<resources><int tag=\"a\" value=\"99999999999\"/></resources>"
                                      << "not an integer";
        QTest::newRow("bad boolean") << head + "<resources><boolean tag=\"a\" value=\"yes\"/></resources>"
                                     << "not a boolean";
        QTest::newRow("colour out of range") << head + "<resources><rgb tag=\"a\" red=\"256\" green=\"0\" blue=\"0\"/></resources>"
                                             << "out of range";
        QTest::newRow("colour part missing") << head + "<resources><rgb tag=\"a\" red=\"1\" green=\"0\"/></resources>"
                                             << "blue";
        QTest::newRow("value holding elements") << head + "<resources><int tag=\"a\" value=\"1\"><int tag=\"b\" value=\"1\"/></int></resources>"
                                                << "cannot hold";
        QTest::newRow("doctype with entities") << head + "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
                                                  "<resources><string tag=\"x\" value=\"&b;&b;&b;\"/></resources>"
                                               << "document type";
        QTest::newRow("undeclared entity") << head + "<resources><string tag=\"x\" value=\"&zz;\"/></resources>" << "";
        QTest::newRow("text after root") << head + "<resources><int tag=\"a\" value=\"1\"/></resources><resources/>" << "";
    }

    void badInput()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, errorPart);
        QString error;
        auto tree = QAResXml::read(xml, &error);
        QVERIFY(!tree);
        QVERIFY(!error.isEmpty());
        if (!errorPart.isEmpty())
            QVERIFY2(error.contains(errorPart), qPrintable(error));
        // Reading without asking for the error is just as safe.
        QVERIFY(!QAResXml::read(xml));
    }

    void depthLimit_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("at the limit") << QAResXml::MaxDepth << true;
        QTest::newRow("one past the limit") << QAResXml::MaxDepth + 1 << false;
        QTest::newRow("hostile depth") << 200000 << false;
    }

    void depthLimit()
    {
        QFETCH(int, depth);
        QFETCH(bool, accepted);
        QByteArray xml = "<resources>";
        xml.reserve(depth * 40);
        for (int i = 0; i < depth; ++i)
            xml += "<group tag=\"g\">";
        for (int i = 0; i < depth; ++i)
            xml += "</group>";
        xml += "</resources>";
        QString error;
        auto tree = QAResXml::read(xml, &error);
        QCOMPARE(bool(tree), accepted);
        if (!accepted)
            QVERIFY2(error.contains(QString::number(QAResXml::MaxDepth)), qPrintable(error));
    }

    void deepTreeWritesLinearly()
    {
        // A tree far deeper than the reading limit is still written, with
        // bounded indentation, and read back refused, not crashed on.
        auto root = std::make_unique<QAResGroup>(QStringLiteral("g"));
        QAResGroup* deepest = root.get();
        for (int i = 0; i < 100000; ++i)
            deepest = deepest->appendChild(new QAResGroup(QStringLiteral("g")))->toResGroup();
        const QByteArray xml = QAResXml::write(root.get());
        QVERIFY(xml.size() < 100000 * 200);
        QString error;
        QVERIFY(!QAResXml::read(xml, &error));
        QVERIFY(!error.isEmpty());
    }

    void oversizedInputIsRefused()
    {
        QByteArray xml = "<resources><string tag=\"a\" value=\"";
        xml += QByteArray(QAResXml::MaxBytes, 'x');
        xml += "\"/></resources>";
        QString error;
        QVERIFY(!QAResXml::read(xml, &error));
        QVERIFY(error.contains(QStringLiteral("larger")));
    }
};

QTEST_APPLESS_MAIN(tst_QAResXml)
#include "tst_qaresxml.moc"
