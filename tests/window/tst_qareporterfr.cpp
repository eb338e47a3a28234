#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarmenu.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"
#include "xrdview/host/xrdtranslations.h"

#include <QStatusBar>
#include <QtTest>

namespace {

const QString TranslationsDir = QStringLiteral(KORVAT_TRANSLATIONS_DIR);

} // namespace

// A report window with the translations a French user's environment picks:
// its menus, tree tips, messages and style names are in French.
class TestReporterFrench : public QObject
{
    Q_OBJECT

    XrdTranslations m_translations;
    QTemporaryDir m_install;
    ReporterHost m_host;

private Q_SLOTS:
    void languages_data()
    {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QStringList>("languages");
        QTest::newRow("LANG with codeset") << QStringList{ "LANG=fr_FR.UTF-8" } << QStringList{ "fr_FR", "fr" };
        QTest::newRow("modifier dropped") << QStringList{ "LANG=fr_BE@euro" } << QStringList{ "fr_BE", "fr" };
        QTest::newRow("LANGUAGE list first") << QStringList{ "LANGUAGE=de:fr_CA", "LANG=fr_FR.UTF-8" }
                                             << QStringList{ "de", "fr_CA", "fr", "fr_FR" };
        QTest::newRow("LC_ALL before LANG") << QStringList{ "LC_ALL=fr_FR", "LANG=de_DE" } << QStringList{ "fr_FR", "fr" };
        QTest::newRow("C names no language") << QStringList{ "LANG=C.UTF-8", "LANGUAGE=" } << QStringList{};
        QTest::newRow("nothing set") << QStringList{} << QStringList{};
    }

    void languages()
    {
        QFETCH(QStringList, env);
        QProcessEnvironment environment;
        for (const QString &entry : env)
            environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
        QTEST(XrdTranslations::languages(environment), "languages");
    }

    void install_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("installed");
        QTest::newRow("first translated language") << QStringList{ "de", "fr_CA", "fr" } << "fr_CA";
        QTest::newRow("English wanted before French") << QStringList{ "en_GB", "fr" } << "";
        QTest::newRow("no translation") << QStringList{ "de", "it" } << "";
    }

    void install()
    {
        QFETCH(QStringList, languages);
        XrdTranslations translations;
        QTEST(translations.install(languages, TranslationsDir), "installed");
        if (!translations.loadedFiles().isEmpty())
            QCOMPARE(translations.loadedFiles().mid(0, 2),
                     (QStringList{ TranslationsDir + "/xrdview_fr.qm", TranslationsDir + "/korvatreporter_fr.qm" }));
    }

    // From here on the whole process speaks French, as xrdview does under LANG=fr_FR.UTF-8.
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QProcessEnvironment env;
        env.insert("LANG", "fr_FR.UTF-8");
        QCOMPARE(m_translations.install(XrdTranslations::languages(env), TranslationsDir), QStringLiteral("fr_FR"));
        // The style file makes the page translate the style names.
        QVERIFY(QDir(m_install.path()).mkpath("lib"));
        QVERIFY(QFile::copy(TestFiles::example("reporterstyle.aml"), m_install.path() + "/lib/reporterstyle.aml"));
        m_host.setUp(m_install.path());
    }

    void menuTexts()
    {
        auto w = ReporterHost::open({ TestFiles::example("campaign.xrd") }, true);
        w->updateToolMenu();
        QARMenu *menu = w->commandsMenu();
        QCOMPARE(w->contextPopup()->text(w->gotoContextItem()), QStringLiteral("&Aller à"));
        QCOMPARE(menu->text(QAReporter::FailedTestsId), QStringLiteral("Tests en échec uniquement"));
        // The tips in the host's status bar, built from a translated pattern and a translated name.
        // (Every text has its translation: tst_translations.)
        Q_EMIT menu->action(w->printHeaderItem())->hovered();
        QCOMPARE(m_host.mainWindow.statusBar()->currentMessage(), QStringLiteral("Afficher ou masquer Imprimer l'en-tête"));
        w->desactivated();
    }

    void treeTips()
    {
        auto w = ReporterHost::open({ TestFiles::example("smoke.xrd") });
        const QAbstractItemModel *tree = w->treeModel();
        const QModelIndex file = tree->index(0, 0);
        QVERIFY(tree->rowCount(file) > 0);
        const QString tip = tree->index(0, 0, file).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.startsWith(QStringLiteral("Type : ")) && tip.contains(QStringLiteral("\nVerdict : ")),
                 qPrintable(tip));
    }

    void unreadableFilesMessage()
    {
        m_host.studio.enableOutputWidget();
        auto w = ReporterHost::open({ TestFiles::example("missing.xrd") });
        QVERIFY2(m_host.studio.outputText().contains(QStringLiteral("Fichier(s) introuvable(s) ou corrompu(s) :\n\t")
                                                + TestFiles::example("missing.xrd")),
                 qPrintable(m_host.studio.outputText()));
        m_host.studio.disableOutputWidget();
    }

    void styleNames()
    {
        const QMap<QString, QString> names = m_host.pref->stylesPage()->translation();
        QCOMPARE(names.value("Title2 Failed"), QStringLiteral("Titre 2 en échec"));
        QCOMPARE(names.value("Array Title"), QStringLiteral("Titre de tableau"));
    }
};

QTEST_MAIN(TestReporterFrench)
#include "tst_qareporterfr.moc"
