#pragma once

#include <QString>
#include <QStringList>

// A source-file request as the plug-in sends it: "<file> line <n>", a bare
// file, or a web address. The file text runs up to the last " line "
// followed by digits; anything after the digits is ignored.
//
// Link text comes from reports, so it is never handed on as it stands: a
// file becomes an absolute, normalised path (it cannot start with "-" or
// "+" and be read as an editor option), the line a positive number, and a
// file part that is not a plain path is refused (see Problem).
class XrdSourceLink
{
public:
    // Why a link cannot be followed.
    enum Problem {
        NoProblem,
        NoFile,          // the file part is empty
        ControlCharacter, // a newline, tab, NUL or other control character
        UnsafeScheme      // a scheme other than file, http, https, ftp or mailto
    };

    static XrdSourceLink parse(const QString& target);

    // The file as an absolute, normalised path; a relative file is resolved
    // against `baseFolder` (itself made absolute against the current
    // folder). Empty for a web address or a refused link.
    QString absoluteFile(const QString& baseFolder) const;

    // The argument list of the user's editor command for this link: the
    // template is split like a shell command line, "%f" becomes the
    // absolute file (see absoluteFile) and "%l" the line (1 when none).
    // Without "%f" the file is appended. Empty for a refused link or a web
    // address.
    QStringList editorCommand(const QString& commandTemplate,
                              const QString& baseFolder = QString()) const;

    // True for a web address (http, https, ftp, mailto), opened as it stands.
    bool isUrl() const { return url; }

    QString file;
    int line = 0; // 0 when the target names no line
    bool url = false;
    Problem problem = NoProblem;
};
