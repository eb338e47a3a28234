#include "sdk/qastudiointerface.h"
#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"

#include <QPointer>
#include <QTest>

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
        QAStViewerPlugin plugin;
        QUnknownInterface* iface = reinterpret_cast<QUnknownInterface*>(&plugin);
        QCOMPARE(plugin.iface()->queryInterface(id, &iface) == QS_OK, answered);
        QCOMPARE(iface, answered ? plugin.iface() : nullptr);
        QCOMPARE(plugin.iface()->queryInterface(id, nullptr), QE_NOINTERFACE);
    }

    void fromInterface()
    {
        QAStViewerPlugin viewer;
        QGPlugin plain;
        QCOMPARE(QAStViewerPlugin::fromInterface(viewer.iface()), &viewer);
        QCOMPARE(QGPlugin::fromInterface(plain.iface()), &plain);
        // A plain plug-in is not a viewer.
        QVERIFY(!QAStViewerPlugin::fromInterface(plain.iface()));
        QVERIFY(!QAStViewerPlugin::fromInterface(nullptr));
    }

    void lastReleaseDeletesPlugin()
    {
        QPointer<QGPlugin> plugin = new QAStViewerPlugin;
        QUnknownInterface* iface = plugin->iface();
        QCOMPARE(iface->addRef(), 2ul);
        QCOMPARE(iface->release(), 1ul);
        QVERIFY(plugin);
        QCOMPARE(iface->release(), 0ul);
        QVERIFY(!plugin);
    }

    void windowNodeForgetsDeletedWorkspace()
    {
        QAStViewerWindow window;
        auto* workspace = new QObject;
        window.setNode({ QStringLiteral("a.b.c"), workspace });
        QCOMPARE(window.nodeData().workspace.data(), workspace);
        delete workspace;
        QVERIFY(!window.nodeData().workspace);
    }
};

QTEST_MAIN(tst_QGPlugin)
#include "tst_qgplugin.moc"
