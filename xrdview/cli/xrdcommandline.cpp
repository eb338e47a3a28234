#include "xrdview/cli/xrdcommandline.h"

#include "xrdview/cli/xrdhistoryoptions.h"
#include "xrdview/cli/xrdcioutput.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>

namespace {

// The headings of the help text, in the order the groups are printed. A
// group without options prints nothing.
enum Group { Viewing, Printing, Exporting, Outputs, History, General, GroupCount };

const char* const GroupHeadings[GroupCount] = {
    QT_TRANSLATE_NOOP("XrdCommandLine", "Viewing:"),
    QT_TRANSLATE_NOOP("XrdCommandLine", "Printing (to standard output, no display needed):"),
    QT_TRANSLATE_NOOP("XrdCommandLine", "Exporting:"),
    QT_TRANSLATE_NOOP("XrdCommandLine", "Outputs:"),
    QT_TRANSLATE_NOOP("XrdCommandLine", "History:"),
    QT_TRANSLATE_NOOP("XrdCommandLine", "General:"),
};

// One option of the command line. An option that chooses a mode names it;
// help and version are the parser's own options.
struct OptionSpec
{
    Group group;
    const char* shortName; // nullptr when there is none
    const char* name;
    const char* valueName; // nullptr for a switch; a text of XrdCommandLine
    const char* description; // a text of XrdCommandLine
    XrdCommandLine::Mode mode; // Gui for an option that is no mode
};

const OptionSpec Options[] = {
    { Viewing, nullptr, "failed-only", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine", "Show failed tests only."), XrdCommandLine::Gui },
    { Viewing, nullptr, "hide-type", QT_TRANSLATE_NOOP("XrdCommandLine", "TYPE"),
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Hide the nodes of TYPE, as the Commands menu does; repeatable, also --hide-type=TYPE."),
      XrdCommandLine::Gui },
    { Printing, nullptr, "summary", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Print the passed and failed totals; exit status 1 when a test failed."),
      XrdCommandLine::Summary },
    { Printing, nullptr, "print-tree", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine", "Print the report tree, two spaces per level."),
      XrdCommandLine::PrintTree },
    { Printing, nullptr, "print-summary", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine", "Print the results table, cells separated by tabs."),
      XrdCommandLine::PrintSummary },
    { Printing, nullptr, "print-text", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine", "Print the report text."), XrdCommandLine::PrintText },
    { Exporting, nullptr, "export-html", QT_TRANSLATE_NOOP("XrdCommandLine", "DIR"),
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Write the reports, the reports they link to and the summary as HTML pages "
                        "into DIR and print their paths; exit status as --summary."),
      XrdCommandLine::ExportHtml },
    { Outputs, nullptr, "to", QT_TRANSLATE_NOOP("XrdCommandLine", "FORMAT"),
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Write the results for CI: junit (JUnit XML), ctrf (CTRF JSON), markdown (a job "
                        "summary) or github (workflow annotations); exit status as --summary. With --history: "
                        "text (the default), markdown or json."),
      XrdCommandLine::ToFormat },
    { Outputs, "o", "output", QT_TRANSLATE_NOOP("XrdCommandLine", "FILE"),
      QT_TRANSLATE_NOOP("XrdCommandLine", "Write the --to output into FILE instead of standard output."),
      XrdCommandLine::Gui },
    { Outputs, nullptr, "allow-empty", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Let --summary and --to pass when no test case is found; without it that is exit "
                        "status 1."),
      XrdCommandLine::Gui },
    { History, nullptr, "compare", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Compare two reports, the older first: new failures, fixed, still failing, added "
                        "and removed tests; exit status 1 when a test fails that did not fail before."),
      XrdCommandLine::Compare },
    { History, nullptr, "record", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Record the reports as one run of the history store and print its id; the same "
                        "content recorded twice is one run. Exit status as --summary."),
      XrdCommandLine::Record },
    { History, nullptr, "history", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Print each test whose path starts with the argument, if one is given: its "
                        "verdicts over the last runs oldest first, fail count, flips and state."),
      XrdCommandLine::History },
    { History, nullptr, "compare-runs", nullptr,
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "Compare two recorded runs given by id, the older first, as --compare does."),
      XrdCommandLine::CompareRuns },
    { History, nullptr, "db", QT_TRANSLATE_NOOP("XrdCommandLine", "URL"),
      QT_TRANSLATE_NOOP("XrdCommandLine",
                        "The history store: sqlite:PATH or postgresql://user@host:port/dbname. Default: "
                        "KORVAT_DB, else korvat/history.sqlite in the user's data folder."),
      XrdCommandLine::Gui },
    { History, nullptr, "label", QT_TRANSLATE_NOOP("XrdCommandLine", "TEXT"),
      QT_TRANSLATE_NOOP("XrdCommandLine", "The label of the recorded run, such as a build number."),
      XrdCommandLine::Gui },
    { History, nullptr, "last", QT_TRANSLATE_NOOP("XrdCommandLine", "N"),
      QT_TRANSLATE_NOOP("XrdCommandLine", "The number of runs --history shows (10 by default)."),
      XrdCommandLine::Gui },
    { General, "h", "help", nullptr, QT_TRANSLATE_NOOP("XrdCommandLine", "Show this text."),
      XrdCommandLine::Help },
    { General, "v", "version", nullptr, QT_TRANSLATE_NOOP("XrdCommandLine", "Show the version."),
      XrdCommandLine::Version },
};

// Lines of the help text are wrapped to this width.
constexpr int HelpWidth = 79;

const OptionSpec* optionNamed(const QString& name)
{
    for (const OptionSpec& option : Options)
        if (name == QLatin1String(option.name)
            || (option.shortName && name == QLatin1String(option.shortName)))
            return &option;
    return nullptr;
}

// An option's name as it is typed: "-h", "--help".
QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The argument that held the unknown option `name`: "--name" for a long
// one, the whole "-xyz" for a letter of a single-dash word, which is clearer
// than its first letter when someone typed "-summary".
QString typedOption(const QString& name, const QStringList& arguments)
{
    if (name.size() > 1)
        return dashed(name);
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(QLatin1Char('-')) && !argument.startsWith(QLatin1String("--"))
            && argument.indexOf(name, 1) > 0)
            return argument;
    }
    return dashed(name);
}

void addOptions(QCommandLineParser& parser)
{
    for (const OptionSpec& option : Options) {
        if (option.mode == XrdCommandLine::Help || option.mode == XrdCommandLine::Version)
            continue;
        QStringList names(QString::fromLatin1(option.name));
        if (option.shortName)
            names.prepend(QString::fromLatin1(option.shortName));
        QCommandLineOption parsed(names, XrdCommandLine::tr(option.description));
        if (option.valueName)
            parsed.setValueName(XrdCommandLine::tr(option.valueName));
        parser.addOption(parsed);
    }
    parser.addHelpOption();
    parser.addVersionOption();
}

// The message for arguments the parser refused: an unknown option, a value
// missing at the end of the line, or a value given to a switch.
QString parseError(const QCommandLineParser& parser, const QStringList& arguments)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return XrdCommandLine::tr("unknown option %1").arg(typedOption(unknown.constFirst(), arguments));
    const QString last = arguments.isEmpty() ? QString() : arguments.constLast();
    if (last == QLatin1String("--export-html"))
        return XrdCommandLine::tr("--export-html needs a folder");
    if (last == QLatin1String("--hide-type"))
        return XrdCommandLine::tr("--hide-type needs a node type");
    if (last == QLatin1String("--to") || last == QLatin1String("-o") || last == QLatin1String("--output"))
        return XrdCommandLine::tr("%1 needs a value").arg(last);
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        const qsizetype assign = argument.indexOf(QLatin1Char('='));
        if (!argument.startsWith(QLatin1String("--")) || assign <= 2)
            continue;
        const OptionSpec* option = optionNamed(argument.mid(2, assign - 2));
        if (option && !option->valueName)
            return XrdCommandLine::tr("%1 takes no value").arg(argument.left(assign));
    }
    return parser.errorText();
}

// Sets the mode from the options found, in the order given. Repeating a
// mode is harmless, except --export-html whose folders would compete.
QString readMode(const QCommandLineParser& parser, XrdCommandLine& line)
{
    bool given = false;
    for (const QString& name : parser.optionNames()) {
        const OptionSpec* option = optionNamed(name);
        const XrdCommandLine::Mode mode = name == QLatin1String("help-all") ? XrdCommandLine::Help
                                          : option                          ? option->mode
                                                                            : XrdCommandLine::Gui;
        // With --history, --to only chooses the form of its table.
        if (mode == XrdCommandLine::Gui || (mode == XrdCommandLine::ToFormat && parser.isSet(QStringLiteral("history"))))
            continue;
        if (given && (mode != line.mode || mode == XrdCommandLine::ExportHtml || mode == XrdCommandLine::ToFormat))
            return XrdCommandLine::tr("%1 cannot be combined with another mode").arg(dashed(name));
        given = true;
        line.mode = mode;
    }
    return QString();
}

// `text` broken into lines of at most `width` characters at spaces, every
// line but the first indented by `indent` spaces.
QString wrapped(const QString& text, int indent, int width)
{
    QString out;
    int column = indent;
    bool lineStart = true;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lineStart && column + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += int(word.size());
        lineStart = false;
    }
    return out + QLatin1Char('\n');
}

QString optionLabel(const OptionSpec& option)
{
    QString label = QStringLiteral("  ");
    if (option.shortName)
        label += QLatin1Char('-') + QLatin1String(option.shortName) + QStringLiteral(", ");
    label += QStringLiteral("--") + QLatin1String(option.name);
    if (option.valueName)
        label += QLatin1Char(' ') + XrdCommandLine::tr(option.valueName);
    return label;
}

// The options under their group headings, descriptions in one column.
QString optionTable()
{
    int column = 0;
    for (const OptionSpec& option : Options)
        column = std::max(column, int(optionLabel(option).size()) + 2);
    QString text;
    for (int group = 0; group < GroupCount; ++group) {
        QString rows;
        for (const OptionSpec& option : Options) {
            if (option.group != group)
                continue;
            const QString label = optionLabel(option);
            rows += label + QString(column - int(label.size()), QLatin1Char(' '))
                    + wrapped(XrdCommandLine::tr(option.description), column, HelpWidth);
        }
        if (!rows.isEmpty())
            text += QLatin1Char('\n') + XrdCommandLine::tr(GroupHeadings[group]) + QLatin1Char('\n') + rows;
    }
    return text;
}

} // namespace

XrdCommandLine XrdCommandLine::parse(const QStringList& arguments)
{
    XrdCommandLine line;
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList(QStringLiteral("xrdview")) + arguments)) {
        line.error = parseError(parser, arguments);
        return line;
    }
    line.error = readMode(parser, line);
    if (line.hasError() || line.mode == Help || line.mode == Version)
        return line;

    line.failedOnly = parser.isSet(QStringLiteral("failed-only"));
    line.hiddenTypes = parser.values(QStringLiteral("hide-type"));
    line.exportDir = parser.value(QStringLiteral("export-html"));
    line.files = parser.positionalArguments();
    line.outputFormat = parser.value(QStringLiteral("to"));
    if (parser.isSet(QStringLiteral("output")))
        line.outputFile = parser.value(QStringLiteral("output"));
    line.allowEmpty = parser.isSet(QStringLiteral("allow-empty"));
    line.error = XrdHistoryOptions::read(parser, line);
    if (line.hasError())
        return line;
    if (line.hiddenTypes.contains(QString()))
        line.error = tr("--hide-type needs a node type");
    else if (line.mode == ExportHtml && line.exportDir.isEmpty())
        line.error = tr("--export-html needs a folder");
    else if ((line.failedOnly || !line.hiddenTypes.isEmpty()) && line.mode != PrintTree
             && line.mode != PrintText && line.mode != ExportHtml)
        line.error = tr("--failed-only and --hide-type go with --print-tree, --print-text or --export-html");
    else if (line.mode == Compare && line.files.size() != 2)
        line.error = tr("--compare needs two report files, the older one first");
    else if (line.isHeadless() && line.files.isEmpty() && !XrdHistoryOptions::readsStore(line.mode))
        line.error = tr("no report file given");
    else
        line.error = XrdCiOutput::argumentError(line);
    return line;
}

bool XrdCommandLine::isHeadless() const
{
    return mode == Summary || mode == PrintTree || mode == PrintSummary || mode == PrintText
           || mode == ExportHtml || mode == Compare || mode == ToFormat || mode == Record
           || mode == History || mode == CompareRuns;
}

QString XrdCommandLine::helpText()
{
    QString text = tr("Usage: xrdview [FILE...]\n"
                      "       xrdview --summary FILE...\n"
                      "       xrdview --print-tree [--failed-only] [--hide-type TYPE]... FILE...\n"
                      "       xrdview --print-summary FILE...\n"
                      "       xrdview --print-text [--failed-only] [--hide-type TYPE]... FILE...\n"
                      "       xrdview --export-html DIR [--failed-only] [--hide-type TYPE]... FILE...\n");
    text += QLatin1Char('\n')
            + wrapped(tr("Shows test reports: XRD reports and JUnit XML results, Qt Test's XML and "
                         "lightxml output and Catch2's XML reporter output, each file read as "
                         "the format its content is in. Without a mode option the files open in the "
                         "viewer window; the printing and exporting modes need no display. A file "
                         "whose name starts with '-' goes after '--', which ends the options."),
                      0, HelpWidth);
    text += QLatin1Char('\n')
            + wrapped(tr("Test runners' own formats read as well: TAP streams (*.tap: prove, node "
                         "--test and other TAP 13/14 producers), GoogleTest JSON "
                         "(--gtest_output=json) and CTRF JSON reports (*.json)."),
                      0, HelpWidth);
    text += optionTable();
    text += QLatin1Char('\n') + wrapped(XrdCiOutput::inputsHelp(), 0, HelpWidth);
    text += QLatin1Char('\n')
            + wrapped(tr("Exit status: 0 when every file was read, 1 when --summary counted a failed "
                         "test, 2 for wrong arguments, a file that could not be read or a folder "
                         "that could not be written."),
                      0, HelpWidth);
    text += QLatin1Char('\n')
            + wrapped(tr("Environment: XRDVIEW_PLUGIN_PATH (directories searched first for the "
                         "plug-in, separated by ':'), XRDVIEW_EDITOR (command opening source links, "
                         "%f is the file and %l the line)."),
                      0, HelpWidth);
    return text;
}

QString XrdCommandLine::versionText()
{
    return QStringLiteral("xrdview " XRDVIEW_VERSION "\n");
}
