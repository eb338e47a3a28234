#include "xrdview/xrdresourcestore.h"

#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresproducer.h"
#include "sdk/qaresstring.h"
#include "sdk/qaresxml.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The settings file: saving the producers' groups next to what is stored,
// reading it back, and keeping a broken file instead of losing it.
class tst_XrdResourceStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileIsNoError();
    void saveAndLoad();
    void saveReplacesOwnGroupKeepsOthers();
    void brokenFileIsKept();
};

namespace {

// Produces a group "<tag>" holding one integer "value".
class CountingProducer : public QAResProducer
{
public:
    CountingProducer(const char* tag, int value) : m_tag(tag), m_value(value) {}
    QARes* produceResources(const char* tag) override
    {
        return new QAResGroup(QString::fromLatin1(tag ? tag : m_tag),
                              new QAResInt(QStringLiteral("value"), m_value));
    }
    int m_calls = 0;

private:
    const char* m_tag;
    int m_value;
};

int storedValue(const QARes* root, const char* path)
{
    const QARes* res = root ? root->toResGroup()->firstChild()->search(path) : nullptr;
    return res && res->toResInt() ? res->toResInt()->value() : -1;
}

} // namespace

void tst_XrdResourceStore::missingFileIsNoError()
{
    QString error;
    QVERIFY(!XrdResourceStore::load(QStringLiteral("/nonexistent/resources.xml"), &error));
    QVERIFY(error.isEmpty());
}

void tst_XrdResourceStore::saveAndLoad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/resources.xml"));
    CountingProducer reporter("REPORTER", 4);
    QString error;
    QVERIFY2(XrdResourceStore::save(path, { &reporter }, &error), qPrintable(error));

    const std::unique_ptr<QARes> root = XrdResourceStore::load(path, &error);
    QVERIFY(root);
    QCOMPARE(root->kind(), QARes::Group);
    QCOMPARE(storedValue(root.get(), "REPORTER.value"), 4);
}

void tst_XrdResourceStore::saveReplacesOwnGroupKeepsOthers()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("resources.xml"));
    CountingProducer first("REPORTER", 1);
    CountingProducer other("OTHER", 7);
    QVERIFY(XrdResourceStore::save(path, { &first, &other }));
    CountingProducer second("REPORTER", 2);
    QVERIFY(XrdResourceStore::save(path, { &second }));

    const std::unique_ptr<QARes> root = XrdResourceStore::load(path);
    QVERIFY(root);
    QCOMPARE(root->toResGroup()->childCount(), 2);
    QCOMPARE(storedValue(root.get(), "REPORTER.value"), 2);
    QCOMPARE(storedValue(root.get(), "OTHER.value"), 7);
}

void tst_XrdResourceStore::brokenFileIsKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("resources.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<group tag=\"XRDVIEW\"><int tag=");
    file.close();

    QString error;
    QVERIFY(!XrdResourceStore::load(path, &error));
    QVERIFY(error.contains(path));

    CountingProducer reporter("REPORTER", 3);
    QVERIFY(XrdResourceStore::save(path, { &reporter }));
    QVERIFY(QFile::exists(path + QStringLiteral(".bad")));
    QCOMPARE(storedValue(XrdResourceStore::load(path).get(), "REPORTER.value"), 3);
}

QTEST_GUILESS_MAIN(tst_XrdResourceStore)
#include "tst_xrdresourcestore.moc"
