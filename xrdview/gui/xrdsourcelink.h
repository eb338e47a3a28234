#pragma once

#include <QString>
#include <QStringList>

// A source-file request as the plug-in sends it: "<file> line <n>", a bare
// file, or a web address. The file text runs up to the last " line "
// followed by digits; anything after the digits is ignored.
class XrdSourceLink
{
public:
    static XrdSourceLink parse(const QString& target);

    // The argument list of the user's editor command for this link: the
    // template is split like a shell command line, "%f" becomes the file
    // and "%l" the line (1 when none). Without "%f" the file is appended.
    QStringList editorCommand(const QString& commandTemplate) const;

    // True for a target with a scheme other than "file", such as
    // "https://..."; such a target is opened as it stands.
    bool isUrl() const { return url; }

    QString file;
    int line = 0; // 0 when the target names no line
    bool url = false;
};
