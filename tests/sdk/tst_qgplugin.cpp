#include "sdk/qastudiointerface.h"
#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

class NamedPlugin : public QAStViewerPlugin
{
public:
    QString name() const override { return QStringLiteral("Named"); }
};

} // namespace

// The component model a viewer plug-in is reached through, and the
// viewer window base.
class tst_QGPlugin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void queryInterface_data()
    {
        QTest::addColumn<QUuid>("id");
        QTest::addColumn<bool>("answered");

        QTest::newRow("unknown") << IID_QUnknown << true;
        QTest::newRow("viewer plug-in") << IID_QAStViewerPlugin << true;
        QTest::newRow("studio") << IID_QAStudioInterface << false;
        QTest::newRow("null id") << QUuid() << false;
    }

    void queryInterface()
    {
        QFETCH(QUuid, id);
        QFETCH(bool, answered);
        NamedPlugin plugin;
        QUnknownInterface* iface = reinterpret_cast<QUnknownInterface*>(&plugin);
        const QRESULT result = plugin.iface()->queryInterface(id, &iface);
        QCOMPARE(result == QS_OK, answered);
        QCOMPARE(iface, answered ? plugin.iface() : nullptr);
        QCOMPARE(plugin.iface()->queryInterface(id, nullptr), QE_NOINTERFACE);
    }

    void studioIdIsTheHostOne()
    {
        QCOMPARE(IID_QAStudioInterface, QUuid(QStringLiteral("{cedeb1c6-d23b-431d-a038-1275cd056913}")));
        QVERIFY(IID_QAStViewerPlugin != IID_QAStudioInterface);
        QVERIFY(IID_QAStViewerPlugin != IID_QUnknown);
    }

    void fromInterface()
    {
        NamedPlugin plugin;
        QAStViewerPlugin* viewer = QAStViewerPlugin::fromInterface(plugin.iface());
        QCOMPARE(viewer, &plugin);
        QCOMPARE(viewer->name(), QStringLiteral("Named"));
        QVERIFY(!QAStViewerPlugin::fromInterface(nullptr));

        // A plain plug-in is not a viewer.
        QGPlugin plain;
        QCOMPARE(QGPlugin::fromInterface(plain.iface()), &plain);
        QVERIFY(!QAStViewerPlugin::fromInterface(plain.iface()));
    }

    void lastReleaseDeletesPlugin()
    {
        QPointer<QGPlugin> plugin = new NamedPlugin;
        QUnknownInterface* iface = plugin->iface();
        QCOMPARE(iface->addRef(), 2ul);
        QCOMPARE(iface->release(), 1ul);
        QVERIFY(plugin);
        QCOMPARE(iface->release(), 0ul);
        QVERIFY(!plugin);
    }

    void pluginDefaultsAreHarmless()
    {
        QAStViewerPlugin plugin;
        QStringList files{ QStringLiteral("a.xrd") };
        plugin.initialize(nullptr, nullptr);
        QVERIFY(!plugin.create(files, nullptr, "w"));
        QVERIFY(!plugin.openedWindow(QStringLiteral("a.xrd")));
        QVERIFY(!plugin.preferenceSettings());
        QVERIFY(plugin.accept().isEmpty());
        QVERIFY(plugin.toolbars().isEmpty());
        QVERIFY(plugin.name().isEmpty());
    }

    void windowBase()
    {
        QAStViewerWindow window(nullptr, "viewer");
        QCOMPARE(window.objectName(), QStringLiteral("viewer"));
        QVERIFY(!window.isActivated());
        window.activated();
        QVERIFY(window.isActivated());
        window.desactivated();
        QVERIFY(!window.isActivated());

        QObject workspace;
        workspace.setObjectName(QStringLiteral("ws"));
        window.setNode({ QStringLiteral("a.b.c"), &workspace });
        QCOMPARE(window.nodeData().text, QStringLiteral("a.b.c"));
        QCOMPARE(window.nodeData().workspace.data(), &workspace);

        QStringList files;
        window.setFiles(&files, nullptr, ViewerSummary);
        QCOMPARE(window.viewerMode(), ViewerSummary);
        QCOMPARE(int(ViewerSummary), 5);
        QVERIFY(window.plainText(QAStViewerWindow::DocumentText).isEmpty());
        QVERIFY(!window.contentOutlineWidget());
        QVERIFY(!window.canFind());
    }

    void windowNodeForgetsDeletedWorkspace()
    {
        QAStViewerWindow window;
        auto* workspace = new QObject;
        window.setNode({ QStringLiteral("t"), workspace });
        delete workspace;
        QVERIFY(!window.nodeData().workspace);
    }

    void commandSlotsAreReachableByName()
    {
        // Hosts connect their actions to the window's slots by name.
        QAStViewerWindow window;
        const QMetaObject* meta = window.metaObject();
        for (const char* slot : { "activated()", "desactivated()", "print()", "copy()",
                                  "find(QString)", "zoom(int)", "exportDoc()", "reloadAll()" })
            QVERIFY2(meta->indexOfSlot(slot) >= 0, slot);
        QVERIFY(meta->indexOfSignal("reloadFile(QString)") >= 0);
        QVERIFY(meta->indexOfSignal("stateChanged()") >= 0);
        QVERIFY(meta->indexOfSignal("captionChanged(QWidget*)") >= 0);
    }
};

QTEST_MAIN(tst_QGPlugin)
#include "tst_qgplugin.moc"
