#include "sdk/qastviewerplugin.h"

#include "sdk/qastreportsession.h"

const QUuid IID_QAStViewerPlugin(0x6b1c3f52, 0x8d2e, 0x4f07, 0xa4, 0x31, 0x5e, 0x92, 0x0c, 0x7d, 0xb8, 0x13);

QAStViewerPlugin::QAStViewerPlugin(QObject* parent)
    : QGPlugin(parent)
{
}

QAStViewerPlugin::~QAStViewerPlugin() = default;

QUuid QAStViewerPlugin::interfaceId() const
{
    return IID_QAStViewerPlugin;
}

QAStViewerPlugin* QAStViewerPlugin::fromInterface(QUnknownInterface* iface)
{
    if (!iface)
        return nullptr;
    QUnknownInterface* viewer = nullptr;
    if (iface->queryInterface(IID_QAStViewerPlugin, &viewer) != QS_OK || !viewer)
        return nullptr;
    return qobject_cast<QAStViewerPlugin*>(QGPlugin::fromInterface(viewer));
}

QString QAStViewerPlugin::name() const { return QString(); }
QString QAStViewerPlugin::description() const { return QString(); }
QString QAStViewerPlugin::author() const { return QString(); }
QString QAStViewerPlugin::version() const { return QString(); }
void QAStViewerPlugin::initialize(QUnknownInterface*, QARes*) {}
QStringList QAStViewerPlugin::accept() const { return {}; }
QStringList QAStViewerPlugin::filters() const { return {}; }
QAStViewerWindow* QAStViewerPlugin::create(QStringList&, QWidget*, const char*) { return nullptr; }
std::unique_ptr<QAStReportSession> QAStViewerPlugin::createSession() { return nullptr; }
QAStViewerWindow* QAStViewerPlugin::openedWindow(const QString&) { return nullptr; }
void QAStViewerPlugin::connectAccepted(QObject*, const char*) {}
void QAStViewerPlugin::connectRejected(QObject*, const char*) {}
PreferenceItem* QAStViewerPlugin::preferenceSettings() { return nullptr; }
QString QAStViewerPlugin::pluginName() const { return QString(); }
QString QAStViewerPlugin::pluginIcon() const { return QString(); }
QString QAStViewerPlugin::pluginDescription() const { return QString(); }
QString QAStViewerPlugin::pluginCompanyName() const { return QString(); }
QString QAStViewerPlugin::pluginCompanyIcon() const { return QString(); }
QString QAStViewerPlugin::pluginCompanyDescription() const { return QString(); }
QString QAStViewerPlugin::pluginCopyRight() const { return QString(); }
QString QAStViewerPlugin::pluginVersion() const { return QString(); }
QDate QAStViewerPlugin::pluginCreation() const { return QDate(); }
QList<QToolBar*> QAStViewerPlugin::toolbars() { return {}; }
