#pragma once

#include <QString>

// Which defect tracker the host hands defects to, as the "Defect tracker"
// preference page sets it. Stored in an INI file of its own beside the
// host's settings file and read at the moment of use.
class XrdDefectSettings
{
public:
    enum Kind {
        None,    // no tracker: the host offers no defect client
        Command, // a command line run with the defect as its arguments
        Folder   // a Markdown file per defect in a folder
    };

    Kind kind = None;
    // Command line template; %t, %d and %a stand for the headline, the
    // description file and the attachment paths, %% for a percent sign.
    QString command;
    QString folder;
    // Whether the client traces its command lines in the output pane.
    bool trace = false;
    // How long a tracker command may run before it is stopped.
    int timeoutSeconds = 120;

    // The settings stored in `file`; none configured when it is missing.
    // A file without a kind but with a command (else a folder) uses it.
    static XrdDefectSettings load(const QString& file);
    // False when the file could not be written.
    bool save(const QString& file) const;
};
