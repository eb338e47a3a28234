#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// The parsed command line of xrdview: which mode to run, its options and
// the report files. The options are read by QCommandLineParser; parsing
// never exits or prints, the caller decides what to do with an error.
class XrdCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(XrdCommandLine)

public:
    enum Mode {
        Gui,          // open the files in the main window
        Summary,      // --summary: the viewer's own summary lines
        PrintTree,    // --print-tree: the outline after filtering
        PrintSummary, // --print-summary: the results table
        PrintText,    // --print-text: the shown report text
        ExportHtml,   // --export-html DIR: the full HTML export
        Compare,      // --compare OLD NEW: what changed between two runs
        ToFormat,     // --to FORMAT: the results as JUnit, CTRF, Markdown or annotations
        Record,       // --record FILE...: one run into the history store
        History,      // --history [PREFIX]: each test over the last runs
        CompareRuns,  // --compare-runs A B: two recorded runs compared
        Help,         // --help
        Version       // --version
    };

    // Parses the arguments after the program name.
    static XrdCommandLine parse(const QStringList& arguments);

    // True when the mode runs without a display.
    bool isHeadless() const;
    bool hasError() const { return !error.isNull(); }

    // Usage text printed by --help: the synopsis, the formats read and the
    // options by group, in the current language.
    static QString helpText();
    // The line printed by --version.
    static QString versionText();

    Mode mode = Gui;
    bool failedOnly = false;
    QStringList hiddenTypes;
    QStringList files;
    QString exportDir; // --export-html
    // The history modes' options (see XrdHistoryOptions).
    QString dbUrl;          // --db, else KORVAT_DB, else the default store
    QString runLabel;       // --label
    int lastRuns = 10;      // --last
    QList<qint64> runIds;   // --compare-runs
    // The CI outputs' options (see XrdCiOutput); --to also gives the form of --history.
    QString outputFormat;    // --to: a CI format, or text (empty), markdown or json with --history
    QString outputFile;      // -o, null when not given
    bool allowEmpty = false; // --allow-empty
    QString error; // null when the arguments are valid
};
