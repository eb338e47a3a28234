#include "xrdview/cli/xrdcommandline.h"

#include <QCoreApplication>

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("XrdCommandLine", text);
}

struct ModeOption
{
    const char* name;
    XrdCommandLine::Mode mode;
};

const ModeOption ModeOptions[] = {
    { "--summary", XrdCommandLine::Summary },
    { "--print-tree", XrdCommandLine::PrintTree },
    { "--print-summary", XrdCommandLine::PrintSummary },
    { "--print-text", XrdCommandLine::PrintText },
    { "--help", XrdCommandLine::Help },
    { "-h", XrdCommandLine::Help },
    { "--version", XrdCommandLine::Version },
};

} // namespace

XrdCommandLine XrdCommandLine::parse(const QStringList& arguments)
{
    XrdCommandLine line;
    bool modeGiven = false;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            line.files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        bool isMode = false;
        for (const ModeOption& option : ModeOptions) {
            if (arg != QLatin1String(option.name))
                continue;
            isMode = true;
            if (modeGiven && line.mode != option.mode) {
                line.error = translated("%1 cannot be combined with another mode").arg(arg);
                return line;
            }
            modeGiven = true;
            line.mode = option.mode;
        }
        if (isMode)
            continue;
        if (arg == QLatin1String("--export-html")) {
            if (modeGiven) {
                line.error = translated("%1 cannot be combined with another mode").arg(arg);
                return line;
            }
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                line.error = translated("--export-html needs a folder");
                return line;
            }
            modeGiven = true;
            line.mode = ExportHtml;
            line.exportDir = arguments.at(++i);
        } else if (arg == QLatin1String("--failed-only")) {
            line.failedOnly = true;
        } else if (arg == QLatin1String("--hide-type")
                   || arg.startsWith(QLatin1String("--hide-type="))) {
            QString type;
            if (arg.size() > int(qstrlen("--hide-type"))) {
                type = arg.mid(int(qstrlen("--hide-type=")));
            } else if (i + 1 < arguments.size()) {
                type = arguments.at(++i);
            } else {
                line.error = translated("--hide-type needs a node type");
                return line;
            }
            if (type.isEmpty()) {
                line.error = translated("--hide-type needs a node type");
                return line;
            }
            line.hiddenTypes << type;
        } else {
            line.error = translated("unknown option %1").arg(arg);
            return line;
        }
    }

    if (line.mode == Help || line.mode == Version)
        return line;
    const bool filters = line.failedOnly || !line.hiddenTypes.isEmpty();
    if (filters && line.mode != PrintTree && line.mode != PrintText && line.mode != ExportHtml) {
        line.error = translated("--failed-only and --hide-type go with --print-tree, --print-text or --export-html");
        return line;
    }
    if (line.isHeadless() && line.files.isEmpty())
        line.error = translated("no report file given");
    return line;
}

bool XrdCommandLine::isHeadless() const
{
    return mode == Summary || mode == PrintTree || mode == PrintSummary || mode == PrintText
           || mode == ExportHtml;
}

QString XrdCommandLine::helpText()
{
    return translated("Usage: xrdview [FILE...]\n"
              "       xrdview --summary FILE...\n"
              "       xrdview --print-tree [--failed-only] [--hide-type TYPE]... FILE...\n"
              "       xrdview --print-summary FILE...\n"
              "       xrdview --print-text [--failed-only] [--hide-type TYPE]... FILE...\n"
              "       xrdview --export-html DIR [--failed-only] [--hide-type TYPE]... FILE...\n"
              "\n"
              "Shows XRD test reports. Without a mode option the files open in the viewer\n"
              "window; the modes below print to standard output and need no display.\n"
              "\n"
              "  --summary          print the passed and failed totals; exit status 0 when\n"
              "                     nothing failed, 1 when a test failed, 2 when a file\n"
              "                     could not be read\n"
              "  --print-tree       print the report tree, two spaces per level\n"
              "  --print-summary    print the results table, cells separated by tabs\n"
              "  --print-text       print the report text\n"
              "  --export-html DIR  write the reports, the reports they link to and the\n"
              "                     summary as HTML pages into DIR and print their paths;\n"
              "                     exit status 2 when a report cannot be read or DIR\n"
              "                     cannot be written\n"
              "  --failed-only      show failed tests only\n"
              "  --hide-type TYPE   hide the nodes of TYPE (repeatable)\n"
              "  --help             show this text\n"
              "  --version          show the version\n"
              "\n"
              "Environment: XRDVIEW_PLUGIN_PATH (directories searched first for the\n"
              "plug-in, separated by ':'), XRDVIEW_EDITOR (command opening source links,\n"
              "%f is the file and %l the line).\n");
}
