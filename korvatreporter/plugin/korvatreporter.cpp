// The two entry points through which a host loads the report viewer
// library: one checks that the library was built for it, the other makes
// the plug-in object.

#include "korvatreporter/plugin/qastreporterplugin.h"

#include <new>

#define KORVAT_EXPORT extern "C" __attribute__((visibility("default")))

// The plug-in loader's compatibility check reads this text.
KORVAT_EXPORT const char *qt_ucm_query_verification_data()
{
    return "pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\nflags=11\nbuildkey=unspecified";
}

// A new plug-in object as the component the host talks to; null when it
// cannot be allocated. The host's reference is the plug-in's only one.
KORVAT_EXPORT QUnknownInterface *ucm_instantiate()
{
    auto *plugin = new (std::nothrow) QAStReporterPlugin();
    return plugin ? plugin->iface() : nullptr;
}
