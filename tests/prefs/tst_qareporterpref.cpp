#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/dstyle.h"
#include "rendoc/styleres/dstyleserialize.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"
#include "tests/support/fakestudio.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPalette>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString DataDir = QStringLiteral(KORVAT_TEST_DATA);

std::unique_ptr<QARes> owned(QARes *res)
{
    return std::unique_ptr<QARes>(res);
}

// Tags of a group's children, in order.
QStringList childTags(const QARes *group)
{
    QStringList tags;
    for (QARes *res = group->child(); res; res = res->next())
        tags << res->tag();
    return tags;
}

// A "REPORTER" group whose children are chained from `children`.
std::unique_ptr<QARes> reporterGroup(std::initializer_list<QARes *> children,
                                     const char *tag = "REPORTER")
{
    auto group = std::make_unique<QAResGroup>(QString::fromLatin1(tag));
    for (QARes *child : children)
        group->appendChild(child);
    return group;
}

QAResGroup *storedStyle(const QString &name, const QColor &color)
{
    DStyle style(name);
    style.setForeground(color);
    style.setBold(true);
    return DStyleSerialize::styleToResources("style", &style);
}

// `first` with `second` as its next sibling.
QARes *chain(QARes *first, QARes *second)
{
    first->setNext(second);
    return first;
}

} // namespace

Q_DECLARE_METATYPE(QARes *)

// The preference producer: style file, resources in and out, signals.
class TestQAReporterPref : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void styleFilePath_data();
    void styleFilePath();
    void styleFile_data();
    void styleFile();
    void pageTree();
    void producedDefaults_data();
    void producedDefaults();
    void roundTrip();
    void readGeneral_data();
    void readGeneral();
    void readStyles_data();
    void readStyles();
    void defaultsKeepOldStylesAlive();
    void stylesPageWidget();
    void signalsAndInstance();

private:
    std::unique_ptr<QAReporterPref> makePref(const QString &installDir);
    FakeStudio m_studio;
};

void TestQAReporterPref::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

std::unique_ptr<QAReporterPref> TestQAReporterPref::makePref(const QString &installDir)
{
    m_studio.setInstallDirectory(installDir);
    return std::make_unique<QAReporterPref>(&m_studio);
}

void TestQAReporterPref::styleFilePath_data()
{
    QTest::addColumn<bool>("withStudio");
    QTest::addColumn<QString>("installDir");
    QTest::addColumn<QString>("path");
    const QString sep = QDir::separator();
    QTest::newRow("studio") << true << "/opt/studio" << "/opt/studio" + sep + "lib" + sep + "reporterstyle.aml";
    QTest::newRow("no studio") << false << QString() << "." + sep + "lib" + sep + "reporterstyle.aml";
}

void TestQAReporterPref::styleFilePath()
{
    QFETCH(bool, withStudio);
    QFETCH(QString, installDir);
    m_studio.setInstallDirectory(installDir);
    QAReporterPref pref(withStudio ? &m_studio : nullptr);
    QTEST(pref.stylesPage()->styleFile(), "path");
    QCOMPARE(pref.studio(), withStudio ? &m_studio : nullptr);
}

void TestQAReporterPref::styleFile_data()
{
    QTest::addColumn<QString>("installDir");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("styles");
    QTest::addColumn<int>("translations");

    QTest::newRow("style file") << DataDir << QStringList{"Normal", "Title1 Failed", "Link"}
                                << QStringList{"Normal", "Title1 Failed", "Link"} << 28;
    QTest::newRow("missing file") << DataDir + "/nowhere" << QStringList() << QStringList() << 0;
    QTest::newRow("file that does not parse keeps the styles read")
        << DataDir + "/broken" << QStringList() << QStringList{"Normal", "Warning"} << 28;
}

void TestQAReporterPref::styleFile()
{
    QFETCH(QString, installDir);
    QFETCH(QStringList, styles);
    auto pref = makePref(installDir);
    QAReporterPrefStyles *page = pref->stylesPage();
    QTEST(page->styleNames(), "names");
    QStringList read;
    for (const DStyle *style : page->styles())
        read << style->name();
    QCOMPARE(read, styles);
    QTEST(int(page->translation().size()), "translations");
    if (!page->translation().isEmpty()) {
        QCOMPARE(page->translation().keys(), [] {
            QStringList keys = QAReporterPrefStyles::knownStyleNames();
            keys.sort();
            return keys;
        }());
        QCOMPARE(page->translation().value("Title0"), QStringLiteral("Title0"));
    }
}

void TestQAReporterPref::pageTree()
{
    auto pref = makePref(DataDir);
    QAReporterPrefGeneral *general = pref->general();
    QCOMPARE(general->title(), QStringLiteral("Report Viewer"));
    QCOMPARE(general->tag(), QStringLiteral("pref-report"));
    QCOMPARE(general->helpText(), QStringLiteral("pref-report"));
    QCOMPARE(general->child(), pref->stylesPage());
    QCOMPARE(pref->stylesPage()->title(), QStringLiteral("Styles"));
    QCOMPARE(pref->stylesPage()->tag(), QStringLiteral("pref-report"));
}

void TestQAReporterPref::producedDefaults_data()
{
    QTest::addColumn<QString>("installDir");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("styles");
    QTest::newRow("null tag") << DataDir << QByteArray() << 3;
    QTest::newRow("own tag") << DataDir << QByteArray("OTHER") << 3;
    QTest::newRow("no styles: empty STYLES") << DataDir + "/nowhere" << QByteArray() << 0;
}

void TestQAReporterPref::producedDefaults()
{
    QFETCH(QString, installDir);
    QFETCH(QByteArray, tag);
    QFETCH(int, styles);
    auto pref = makePref(installDir);
    auto res = owned(pref->produceResources(tag.isNull() ? nullptr : tag.constData()));
    QVERIFY(res && res->toResGroup());
    QCOMPARE(res->tag(), tag.isNull() ? QStringLiteral("REPORTER") : QString::fromLatin1(tag));
    QCOMPARE(childTags(res.get()), (QStringList{"background", "auto_raise", "auto_depth", "STYLES"}));

    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    const QAResRGB *rgb = res->child()->search("background")->toResRGB();
    QVERIFY(rgb);
    QCOMPARE(QColor(rgb->red(), rgb->green(), rgb->blue()), base);
    QVERIFY(res->child()->search("auto_raise")->toResBoolean()->value());
    QCOMPARE(res->child()->search("auto_depth")->toResInt()->value(), 4);
    const QARes *stylesGroup = res->child()->search("STYLES");
    QVERIFY(stylesGroup->toResGroup());
    QCOMPARE(childTags(stylesGroup), QStringList(styles, QStringLiteral("style")));
    int i = 0;
    for (QARes *style = stylesGroup->child(); style; style = style->next(), ++i)
        QCOMPARE(style->child()->search("name")->toResString()->value(),
                 pref->stylesPage()->styles().at(i)->name());
}

void TestQAReporterPref::roundTrip()
{
    auto first = makePref(DataDir);
    first->general()->setBackground(QColor(255, 0, 0));
    first->general()->setAutoRaise(false);
    first->general()->setAutoDepth(2);
    DStyle *link = first->stylesPage()->style("Link");
    link->setForeground(QColor(0, 128, 0));
    link->setPointSize(17);
    link->setItalic(true);
    auto res = owned(first->produceResources(nullptr));

    auto second = makePref(DataDir);
    QVERIFY(*second->stylesPage()->style("Link") != *link);
    second->readResources(res.get());
    QCOMPARE(second->general()->background(), QColor(255, 0, 0));
    QCOMPARE(second->general()->autoRaise(), false);
    QCOMPARE(second->general()->autoDepth(), 2);
    QCOMPARE(second->stylesPage()->styles().size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(*second->stylesPage()->styles().at(i) == *first->stylesPage()->styles().at(i));
}

void TestQAReporterPref::readGeneral_data()
{
    QTest::addColumn<QARes *>("group"); // owned by the test row's call
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("autoRaise");
    QTest::addColumn<int>("autoDepth");

    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    QTest::newRow("later child wins")
        << reporterGroup({new QAResBoolean("auto_raise", false), new QAResInt("auto_depth", 6),
                          new QAResBoolean("auto_raise", true), new QAResBoolean("auto_raise", false)})
               .release()
        << base << false << 6;
    QTest::newRow("class must fit tag")
        << reporterGroup({new QAResInt("auto_raise", 0), new QAResString("auto_depth", "2"),
                          new QAResInt("background", 3), new QAResRGB("auto_depth", 1, 2, 3)})
               .release()
        << base << true << 4;
    QTest::newRow("red background")
        << reporterGroup({new QAResRGB("background", 255, 0, 0), new QAResInt("unknown", 1)}).release()
        << QColor(255, 0, 0) << true << 4;
    QTest::newRow("other group tag")
        << reporterGroup({new QAResInt("auto_depth", 1)}, "REPORTERS").release() << base << true << 4;
    QTest::newRow("not a group") << static_cast<QARes *>(new QAResInt("REPORTER", 1)) << base << true << 4;
    QTest::newRow("null") << static_cast<QARes *>(nullptr) << base << true << 4;
}

void TestQAReporterPref::readGeneral()
{
    QFETCH(QARes *, group);
    auto holder = owned(group);
    auto pref = makePref(DataDir);
    pref->readResources(group);
    QTEST(pref->general()->background(), "background");
    QTEST(pref->general()->autoRaise(), "autoRaise");
    QTEST(pref->general()->autoDepth(), "autoDepth");
}

void TestQAReporterPref::readStyles_data()
{
    QTest::addColumn<QARes *>("group");
    QTest::addColumn<QString>("changed"); // the one style expected to differ from the file
    QTest::addColumn<QColor>("color");

    QTest::newRow("stored style updates its namesake")
        << reporterGroup({new QAResGroup("STYLES", storedStyle("Normal", Qt::green))}).release()
        << "Normal" << QColor(Qt::green);
    QTest::newRow("first matching group of a STYLES group wins")
        << reporterGroup({new QAResGroup("STYLES", chain(storedStyle("Link", Qt::green),
                                                         storedStyle("Link", Qt::blue)))})
               .release()
        << "Link" << QColor(Qt::green);
    QTest::newRow("later STYLES group applies after")
        << reporterGroup({new QAResGroup("STYLES", storedStyle("Link", Qt::green)),
                          new QAResGroup("STYLES", storedStyle("Link", Qt::blue))})
               .release()
        << "Link" << QColor(Qt::blue);
    QTest::newRow("unknown style name ignored")
        << reporterGroup({new QAResGroup("STYLES", storedStyle("Title9", Qt::green))}).release()
        << QString() << QColor();
    QTest::newRow("STYLES that is no group ignored")
        << reporterGroup({new QAResString("STYLES", "Normal")}).release() << QString() << QColor();
    QTest::newRow("name that is no string ignored")
        << reporterGroup({new QAResGroup("STYLES", new QAResGroup("style", new QAResInt("name", 1)))})
               .release()
        << QString() << QColor();
}

void TestQAReporterPref::readStyles()
{
    QFETCH(QARes *, group);
    QFETCH(QString, changed);
    QFETCH(QColor, color);
    auto holder = owned(group);
    auto reference = makePref(DataDir);
    auto pref = makePref(DataDir);
    pref->readResources(group);
    const QList<DStyle *> &styles = pref->stylesPage()->styles();
    QCOMPARE(styles.size(), 3);
    for (int i = 0; i < styles.size(); ++i) {
        const DStyle *style = styles.at(i);
        if (style->name() == changed) {
            QCOMPARE(style->foreground(), color);
            QVERIFY(style->bold());
        } else {
            QVERIFY2(*style == *reference->stylesPage()->styles().at(i), qPrintable(style->name()));
        }
    }
}

void TestQAReporterPref::defaultsKeepOldStylesAlive()
{
    auto pref = makePref(DataDir);
    QAReporterPrefStyles *page = pref->stylesPage();
    DStyle *old = page->style("Title1 Failed");
    const QColor fileColor = old->foreground();
    old->setForeground(Qt::yellow);
    page->defaults();
    // The replaced style is still there for documents built with it.
    QCOMPARE(old->name(), QStringLiteral("Title1 Failed"));
    QCOMPARE(old->foreground(), QColor(Qt::yellow));
    DStyle *reloaded = page->style("Title1 Failed");
    QVERIFY(reloaded && reloaded != old);
    QCOMPARE(reloaded->foreground(), fileColor);
    QCOMPARE(page->styleNames(), (QStringList{"Normal", "Title1 Failed", "Link"}));
}

void TestQAReporterPref::stylesPageWidget()
{
    auto pref = makePref(DataDir);
    QWidget parent;
    QWidget *box = pref->stylesPage()->createWidget(&parent);
    QCOMPARE(box->parentWidget(), &parent);
    pref->stylesPage()->updateContents();
    auto *list = box->findChild<QListWidget *>();
    QVERIFY(list);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, (QStringList{"Normal", "Title1 Failed", "Link"}));
}

void TestQAReporterPref::signalsAndInstance()
{
    QCOMPARE(QAReporterPref::instance(), nullptr);
    {
        auto pref = makePref(DataDir);
        QAReporterPref::setInstance(pref.get());
        QCOMPARE(QAReporterPref::instance(), pref.get());
        QSignalSpy spy(pref.get(), &QAReporterPref::preferencesChanged);
        pref->prefDialogRejected();
        QCOMPARE(spy.count(), 0);
        pref->prefDialogAccepted();
        QCOMPARE(spy.count(), 1);
        QVERIFY(dynamic_cast<QAResProducer *>(pref.get()));
    }
    // A destroyed producer does not stay reachable.
    QCOMPARE(QAReporterPref::instance(), nullptr);
}

QTEST_MAIN(TestQAReporterPref)
#include "tst_qareporterpref.moc"
