// A stand-in viewer plug-in library for the loader tests. FAKE_VARIANT
// selects how it misbehaves:
//   1  a well-formed plug-in
//   2  a wrong verification text
//   3  no entry points at all
//   4  ucm_instantiate returns null

#include "sdk/qastviewerplugin.h"

#if FAKE_VARIANT != 3

namespace {

// The smallest viewer plug-in: it only names itself.
class FakeViewerPlugin : public QAStViewerPlugin
{
public:
    QString name() const override { return QStringLiteral("Fake"); }
    QString pluginName() const override { return QStringLiteral("Fake Viewer"); }
};

} // namespace

extern "C" Q_DECL_EXPORT const char* qt_ucm_query_verification_data()
{
#if FAKE_VARIANT == 2
    return "pattern=QT_UCM_VERIFICATION_DATA\nversion=2.3.0\nflags=11\nbuildkey=unspecified";
#else
    return "pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\nflags=11\nbuildkey=unspecified";
#endif
}

extern "C" Q_DECL_EXPORT QUnknownInterface* ucm_instantiate()
{
#if FAKE_VARIANT == 4
    return nullptr;
#else
    return (new FakeViewerPlugin)->iface();
#endif
}

#else

extern "C" Q_DECL_EXPORT int fake_nothing_here()
{
    return 0;
}

#endif
