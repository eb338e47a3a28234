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
    return FAKE_VARIANT == 2
               ? "pattern=QT_UCM_VERIFICATION_DATA\nversion=2.3.0\nflags=11\nbuildkey=unspecified"
               : "pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\nflags=11\nbuildkey=unspecified";
}

extern "C" Q_DECL_EXPORT QUnknownInterface* ucm_instantiate()
{
    return FAKE_VARIANT == 4 ? nullptr : (new FakeViewerPlugin)->iface();
}

#else

extern "C" Q_DECL_EXPORT int fake_nothing_here()
{
    return 0;
}

#endif
