#include "sdk/qgplugin.h"

QGPlugin::QGPlugin(QObject* parent)
    : QObject(parent)
{
}

QGPlugin::~QGPlugin() = default;

QUnknownInterface* QGPlugin::iface()
{
    return this;
}

QRESULT QGPlugin::queryInterface(const QUuid& id, QUnknownInterface** iface)
{
    if (!iface)
        return QE_NOINTERFACE;
    if (id == IID_QUnknown || (!id.isNull() && id == interfaceId())) {
        *iface = this;
        return QS_OK;
    }
    *iface = nullptr;
    return QE_NOINTERFACE;
}

unsigned long QGPlugin::addRef()
{
    return ++m_refs;
}

unsigned long QGPlugin::release()
{
    if (m_refs == 0)
        return 0;
    const unsigned long left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

QUuid QGPlugin::interfaceId() const
{
    return QUuid();
}

QGPlugin* QGPlugin::fromInterface(QUnknownInterface* iface)
{
    if (!iface)
        return nullptr;
    QUnknownInterface* unknown = nullptr;
    if (iface->queryInterface(IID_QUnknown, &unknown) != QS_OK || unknown != iface)
        return nullptr;
    // Only components made by QGPlugin::iface() are handed out through the
    // entry points, and those are the plug-ins themselves.
    return dynamic_cast<QGPlugin*>(iface);
}
