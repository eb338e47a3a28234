#pragma once

#include <QLatin1String>
#include <QString>

// The one script of the exported pages, written inline and allowed by the pages' content
// security policy through its hash, so that no other script (one a report smuggles in among
// them) can run. It adds a search box over the outline's node names and a failed-only
// switch to the outline; the pages read and link the same without it. It makes no request
// and uses no code of anyone else. The nav element gives it the texts of its controls
// (data-find, data-failed), so they are translated with the rest of the page.
namespace DHTMLPageScript {

// The script's text, ASCII, to be written between <script> and </script> as it is.
QLatin1String text();
// The content security policy source that allows it: 'sha256-<base64>'.
QString hashSource();

} // namespace DHTMLPageScript
