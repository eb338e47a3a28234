#pragma once

#include <QString>
#include <QStringView>

class DHTMLOutput;

// Escaping of document text for HTML: markup characters become entities and characters HTML
// does not allow (control characters, U+FFFE, U+FFFF) are dropped.
namespace DHTMLEscape {

// Writes text escaped for element content, or for a double-quoted attribute value.
void write(DHTMLOutput& out, QStringView text, bool attribute);
// The escaped text as a string.
QString escaped(QStringView text, bool attribute);

} // namespace DHTMLEscape
