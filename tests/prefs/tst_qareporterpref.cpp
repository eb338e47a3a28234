#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/styleres/dstyleserialize.h"
#include "rendoc/styleres/dstyleview.h"
#include "sdk/qacolorbutton.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"
#include "sdk/qaresxml.h"
#include "tests/support/fakestudio.h"

#include <QCheckBox>
#include <QListWidget>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString DataDir = QStringLiteral(KORVAT_TEST_DATA);

// A group (by default "REPORTER") holding `children` in order; the caller owns it.
QARes *group(std::initializer_list<QARes *> children, const char *tag = "REPORTER")
{
    auto *result = new QAResGroup(QString::fromLatin1(tag));
    for (QARes *child : children)
        result->appendChild(child);
    return result;
}

// A stored bold style of that name and colour.
QARes *style(const QString &name, const QColor &color)
{
    DStyle style(name);
    style.setForeground(color);
    style.setBold(true);
    return DStyleSerialize::styleToResources("style", &style);
}

// The general values, then each style's name, colour and weight.
QString state(const QAReporterPref &pref)
{
    const QAReporterPrefGeneral *general = pref.general();
    QString out = QStringLiteral("%1 %2 %3")
                      .arg(general->background() == general->defaultBackground() ? "base" : general->background().name(),
                           general->autoRaise() ? "raise" : "noraise").arg(general->autoDepth());
    for (const DStyle *style : pref.stylesPage()->styles())
        out += QStringLiteral("; %1 %2%3").arg(style->name(), style->foreground().name(), style->bold() ? " bold" : "");
    return out;
}

} // namespace

Q_DECLARE_METATYPE(QARes *)

// The preference producer (style file, resources in and out, signals) and
// its "Report Viewer" page (widgets show, take and reset the values).
class TestQAReporterPref : public QObject
{
    Q_OBJECT

private:
    FakeStudio m_studio;
    const QString m_fileStyles = QStringLiteral("; Normal #000000; Title1 Failed #c00000 bold; Link #0000ff");

    std::unique_ptr<QAReporterPref> makePref(const QString &installDir = DataDir)
    {
        m_studio.setInstallDirectory(installDir);
        return std::make_unique<QAReporterPref>(&m_studio);
    }

    // A general page holding `depth` and `raise`, its widget shown in `parent`.
    static std::unique_ptr<QAReporterPrefGeneral> shownPage(QWidget *parent, int depth = 4, bool raise = true,
                                                           QAStudioInterface *studio = nullptr)
    {
        auto page = std::make_unique<QAReporterPrefGeneral>("Report Viewer", "pref-report", "pref-report", studio);
        page->setAutoDepth(depth);
        page->setAutoRaise(raise);
        page->createWidget(parent);
        page->updateContents();
        return page;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void styleFile_data()
    {
        QTest::addColumn<bool>("withStudio");
        QTest::addColumn<QString>("installDir");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("names");
        QTest::addColumn<int>("translations");

        QTest::newRow("style file") << true << DataDir << "base raise 4" + m_fileStyles << 3 << 28;
        QTest::newRow("missing file") << true << DataDir + "/nowhere" << "base raise 4" << 0 << 0;
        QTest::newRow("file that does not parse keeps the styles read")
            << true << DataDir + "/broken" << "base raise 4; Normal #000000; Warning #000000 bold" << 0 << 28;
        QTest::newRow("no studio: under the current directory") << false << "." << "base raise 4" << 0 << 0;
    }

    void styleFile()
    {
        QFETCH(bool, withStudio);
        QFETCH(QString, installDir);
        m_studio.setInstallDirectory(installDir);
        // Without a studio the style file is looked up under the current
        // directory: make that an empty one, wherever the test is started.
        QTemporaryDir emptyDir;
        const QString startDir = QDir::currentPath();
        if (!withStudio)
            QVERIFY(QDir::setCurrent(emptyDir.path()));
        const auto restoreDir = qScopeGuard([&] { QDir::setCurrent(startDir); });
        QAReporterPref pref(withStudio ? &m_studio : nullptr);
        QCOMPARE(pref.stylesPage()->styleFile(), QDir::toNativeSeparators(installDir + "/lib/reporterstyle.aml"));
        QTEST(state(pref), "state");
        QTEST(int(pref.stylesPage()->styleNames().size()), "names");
        QTEST(int(pref.stylesPage()->translation().size()), "translations");
        // One stored "style" group per style, none without any.
        std::unique_ptr<QARes> res(pref.produceResources(nullptr));
        QCOMPARE(res->search("REPORTER.STYLES")->toResGroup()->childCount(), pref.stylesPage()->styles().size());
    }

    void stylesPage()
    {
        auto pref = makePref();
        QAReporterPrefStyles *page = pref->stylesPage();
        QCOMPARE(pref->general()->child(), page);
        QWidget parent;
        page->createWidget(&parent);
        DStyleView *view = page->styleView();
        QVERIFY(view && view->parent()->parent() == &parent);
        // Showing the page again lists the styles once.
        page->updateContents();
        page->updateContents();
        auto *list = view->findChild<QListWidget *>("styles");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("Link"));
        // Without the widget the page's operations touch nothing.
        delete parent.findChild<QWidget *>();
        QVERIFY(!page->styleView());
        page->updateContents();
        page->apply();
        QCOMPARE(state(*pref), "base raise 4" + m_fileStyles);
    }

    // The "Link" style through the dialog: stored value, an edit in the page,
    // then the dialog's action; checks the page, what the page shows after
    // updateContents() and what the next start reads from the written settings.
    void stylesPageDialogFlow_data()
    {
        QTest::addColumn<QString>("stored"); // empty: nothing stored
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("kept");

        QTest::newRow("fresh start, nothing edited") << "" << "none" << "#0000ff";
        QTest::newRow("apply takes the edit") << "" << "apply" << "#00ff00";
        QTest::newRow("cancel keeps the stored value") << "#123456" << "cancel" << "#123456";
        QTest::newRow("defaults drop stored and edited values") << "#123456" << "defaults" << "#0000ff";
    }

    void stylesPageDialogFlow()
    {
        QFETCH(QString, stored);
        QFETCH(QString, action);
        QFETCH(QString, kept);
        auto pref = makePref();
        if (!stored.isEmpty()) {
            std::unique_ptr<QARes> res(group({ group({ style("Link", QColor(stored)) }, "STYLES") }));
            pref->readResources(res.get());
        }
        QAReporterPrefStyles *page = pref->stylesPage();
        DStyle *link = page->style("Link");
        QWidget dialog;
        page->createWidget(&dialog);
        page->updateContents();
        DStyleView *view = page->styleView();
        QCOMPARE(view->editedStyle("Link")->foreground(), QColor(stored.isEmpty() ? "#0000ff" : stored));

        if (action != "none") {
            view->setCurrentStyle("Link");
            view->findChild<QAColorButton *>("color")->setColor(Qt::green, true);
        }
        if (action == "apply")
            page->apply();
        else if (action == "cancel")
            page->cancel();
        else if (action == "defaults")
            page->defaults();
        page->updateContents();
        QCOMPARE(view->editedStyle("Link")->foreground(), QColor(kept));
        // Accepting now stores what is shown, in the style object documents use.
        page->apply();
        QCOMPARE(page->style("Link"), link);
        QCOMPARE(link->foreground(), QColor(kept));

        // The next start reads the written settings back.
        std::unique_ptr<QARes> written(pref->produceResources(nullptr));
        auto next = makePref();
        next->readResources(written.get());
        QCOMPARE(next->stylesPage()->style("Link")->foreground(), QColor(kept));
    }

    void resourceRoundTrip()
    {
        // Every value differs from the defaults, Link from the style file.
        auto stored = QAResXml::readFile(DataDir + "/resources.xml");
        QVERIFY(stored);
        auto pref = makePref();
        pref->readResources(stored.get());
        std::unique_ptr<QARes> res(pref->produceResources(nullptr));
        QCOMPARE(QAResXml::write(res.get()), QAResXml::write(stored.get()));
        res.reset(pref->produceResources("OTHER"));
        QCOMPARE(res->tag(), QStringLiteral("OTHER"));
    }

    void readResources_data()
    {
        QTest::addColumn<QARes *>("group"); // owned by the test function
        QTest::addColumn<QString>("state");

        const QString unchanged = "base raise 4" + m_fileStyles;
        QTest::newRow("later child wins") << group({ new QAResBoolean("auto_raise", false), new QAResInt("auto_depth", 6),
                                                     new QAResBoolean("auto_raise", true), new QAResBoolean("auto_raise", false) })
                                          << "base noraise 6" + m_fileStyles;
        QTest::newRow("class must fit tag") << group({ new QAResInt("auto_raise", 0), new QAResString("auto_depth", "2"),
                                                       new QAResInt("background", 3), new QAResRGB("auto_depth", 1, 2, 3) })
                                            << unchanged;
        QTest::newRow("other group tag") << group({ new QAResInt("auto_depth", 1) }, "REPORTERS") << unchanged;
        QTest::newRow("not a group") << static_cast<QARes *>(new QAResInt("REPORTER", 1)) << unchanged;
        QTest::newRow("null") << static_cast<QARes *>(nullptr) << unchanged;
        QTest::newRow("first matching group of a STYLES group wins")
            << group({ group({ style("Link", Qt::green), style("Link", Qt::blue) }, "STYLES") })
            << "base raise 4; Normal #000000; Title1 Failed #c00000 bold; Link #00ff00 bold";
        QTest::newRow("later STYLES group applies after")
            << group({ group({ style("Link", Qt::green) }, "STYLES"), group({ style("Link", Qt::blue) }, "STYLES") })
            << "base raise 4; Normal #000000; Title1 Failed #c00000 bold; Link #0000ff bold";
        QTest::newRow("unknown style name ignored") << group({ group({ style("Title9", Qt::green) }, "STYLES") }) << unchanged;
        QTest::newRow("STYLES that is no group ignored") << group({ new QAResString("STYLES", "Normal") }) << unchanged;
        QTest::newRow("name that is no string ignored")
            << group({ group({ group({ new QAResInt("name", 1), new QAResBoolean("bold", true) }, "style") }, "STYLES") })
            << unchanged;
    }

    void readResources()
    {
        QFETCH(QARes *, group);
        std::unique_ptr<QARes> holder(group);
        auto pref = makePref();
        pref->readResources(group);
        QTEST(state(*pref), "state");
    }

    void defaultsResetStylesInPlace()
    {
        auto pref = makePref();
        QAReporterPrefStyles *page = pref->stylesPage();
        DStyle *old = page->style("Title1 Failed");
        old->setForeground(Qt::yellow);
        page->defaults();
        // Documents built with the style see the file's values again.
        QCOMPARE(page->style("Title1 Failed"), old);
        QCOMPARE(old->foreground(), QColor("#c00000"));
        QCOMPARE(state(*pref), "base raise 4" + m_fileStyles);
        QCOMPARE(page->styleNames().size(), 3);

        // A style the file no longer defines stays alive for the documents using it.
        QTemporaryDir dir;
        const QString file = dir.path() + "/lib/reporterstyle.aml";
        QVERIFY(QDir(dir.path()).mkpath("lib"));
        QVERIFY(QFile::copy(DataDir + "/broken/lib/reporterstyle.aml", file));
        auto changing = makePref(dir.path());
        DStyle *warning = changing->stylesPage()->style("Warning");
        QVERIFY(warning);
        QVERIFY(QFile::remove(file) && QFile::copy(DataDir + "/lib/reporterstyle.aml", file));
        changing->stylesPage()->defaults();
        QVERIFY(!changing->stylesPage()->style("Warning"));
        QCOMPARE(warning->name(), QStringLiteral("Warning"));
        QCOMPARE(changing->stylesPage()->styleNames().size(), 3);
    }

    void signalsAndInstance()
    {
        QCOMPARE(QAReporterPref::instance(), nullptr);
        {
            auto pref = makePref();
            QAReporterPref::setInstance(pref.get());
            QCOMPARE(QAReporterPref::instance(), pref.get());
            QSignalSpy spy(pref.get(), &QAReporterPref::preferencesChanged);
            pref->prefDialogRejected();
            QCOMPARE(spy.count(), 0);
            pref->prefDialogAccepted();
            QCOMPARE(spy.count(), 1);
        }
        // A destroyed producer does not stay reachable.
        QCOMPARE(QAReporterPref::instance(), nullptr);
    }

    void raiseOptionNeedsMainWindow()
    {
        QWidget parent;
        QMainWindow window;
        QVERIFY(!shownPage(&parent)->raiseCheckBox()->isEnabled());
        QVERIFY(!shownPage(&parent, 4, true, &m_studio)->raiseCheckBox()->isEnabled());
        m_studio.setMainWindow(&window);
        QVERIFY(shownPage(&parent, 4, true, &m_studio)->raiseCheckBox()->isEnabled());
    }

    void applyOrCancelEdits_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("edited"); // -1: depth left as shown
        QTest::addColumn<bool>("apply");
        QTest::addColumn<int>("depth");
        QTest::newRow("edit to 2") << 4 << 2 << true << 2;
        QTest::newRow("stored 9 clamped") << 9 << -1 << true << 6;
        QTest::newRow("stored 0 clamped") << 0 << -1 << true << 1;
        QTest::newRow("cancel keeps values") << 4 << 2 << false << 4;
    }

    void applyOrCancelEdits()
    {
        QFETCH(int, stored);
        QFETCH(int, edited);
        QFETCH(bool, apply);
        QWidget parent;
        auto page = shownPage(&parent, stored);
        if (edited >= 0)
            page->depthSpinBox()->setValue(edited);
        page->colorButton()->setColor(Qt::red, false);
        // The box is disabled without a studio, and still applies.
        page->raiseCheckBox()->setChecked(false);
        QCOMPARE(page->autoDepth(), stored); // edits reach the values only through apply
        apply ? page->apply() : page->cancel();
        QTEST(page->autoDepth(), "depth");
        QCOMPARE(page->background(), apply ? QColor(Qt::red) : page->defaultBackground());
        QCOMPARE(page->autoRaise(), !apply);
    }

    void generalDefaults()
    {
        std::unique_ptr<QAReporterPrefGeneral> page;
        {
            QWidget parent;
            page = shownPage(&parent, 2, false);
            page->setBackground(Qt::blue);
            page->updateContents();
            page->defaults();
            QVERIFY(page->background() == page->defaultBackground() && page->autoRaise() && page->autoDepth() == 4);
            // The widgets show the old values until asked to update.
            QCOMPARE(page->colorButton()->color(), QColor(Qt::blue));
            QVERIFY(page->depthSpinBox()->value() == 2 && !page->raiseCheckBox()->isChecked());
            page->updateContents();
            QCOMPARE(page->colorButton()->color(), page->defaultBackground());
            QVERIFY(page->depthSpinBox()->value() == 4 && page->raiseCheckBox()->isChecked());
        }
        // The dialog freed the widgets: the page no longer touches them.
        QVERIFY(!page->colorButton() && !page->raiseCheckBox() && !page->depthSpinBox());
        page->updateContents();
        page->apply();
        QCOMPARE(page->autoDepth(), 4);
    }
};

QTEST_MAIN(TestQAReporterPref)
#include "tst_qareporterpref.moc"
