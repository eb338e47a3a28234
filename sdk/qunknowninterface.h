#pragma once

#include <QUuid>

// Result codes of QUnknownInterface::queryInterface.
using QRESULT = long;
constexpr QRESULT QS_OK = 0;
constexpr QRESULT QE_NOINTERFACE = 0x80000004L;

// Identifier every component answers with its unknown interface.
extern const QUuid IID_QUnknown;

// Root of the component model through which hosts and plug-ins hand each
// other interfaces: an interface is asked for by identifier, and its holders
// count references on it.
class QUnknownInterface
{
public:
    virtual ~QUnknownInterface();

    // Stores the interface answering `id` in *iface (null and QE_NOINTERFACE
    // when there is none). A successful query does not add a reference.
    virtual QRESULT queryInterface(const QUuid& id, QUnknownInterface** iface) = 0;
    virtual unsigned long addRef() = 0;
    virtual unsigned long release() = 0;
};
