#pragma once

#include "sdk/qunknowninterface.h"

#include <QObject>

// A plug-in object that is at the same time its own component: iface()
// gives the QUnknownInterface the library entry point hands to the host.
// A new plug-in holds one reference, its creator's; releasing the last
// reference deletes the plug-in.
class QGPlugin : public QObject, public QUnknownInterface
{
    Q_OBJECT
public:
    explicit QGPlugin(QObject* parent = nullptr);
    ~QGPlugin() override;

    QUnknownInterface* iface();

    // Answers IID_QUnknown and interfaceId() with this component.
    QRESULT queryInterface(const QUuid& id, QUnknownInterface** iface) override;
    unsigned long addRef() override;
    unsigned long release() override;

    // Identifier of the plug-in kind this object implements.
    virtual QUuid interfaceId() const;

    // The plug-in behind a component returned by iface(), or null.
    static QGPlugin* fromInterface(QUnknownInterface* iface);

private:
    unsigned long m_refs = 1;
};
