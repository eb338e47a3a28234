#pragma once

#include <QString>
#include <QStringList>

// The parsed command line of xrdview: which mode to run, its options and
// the report files. Parsing never exits or prints; the caller decides what
// to do with an error.
class XrdCommandLine
{
public:
    enum Mode {
        Gui,          // open the files in the main window
        Summary,      // --summary: the viewer's own summary lines
        PrintTree,    // --print-tree: the outline after filtering
        PrintSummary, // --print-summary: the results table
        PrintText,    // --print-text: the shown report text
        ExportHtml,   // --export-html DIR: the full HTML export
        Help,         // --help
        Version       // --version
    };

    // Parses the arguments after the program name.
    static XrdCommandLine parse(const QStringList& arguments);

    // True when the mode runs without a display.
    bool isHeadless() const;
    bool hasError() const { return !error.isNull(); }

    // Usage text printed by --help.
    static QString helpText();

    Mode mode = Gui;
    bool failedOnly = false;
    QStringList hiddenTypes;
    QStringList files;
    QString exportDir; // --export-html
    QString error; // null when the arguments are valid
};
