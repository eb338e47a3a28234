#include "xrdview/cli/xrdcioutput.h"

#include "sdk/qastreportsession.h"
#include "xrdview/cli/xrdcommandline.h"
#include "xrdview/cli/xrdheadlessrunner.h"
#include "xrdview/output/xrdctrfwriter.h"
#include "xrdview/output/xrdgithubwriter.h"
#include "xrdview/output/xrdjunitwriter.h"
#include "xrdview/output/xrdmarkdownwriter.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

QStringList XrdCiOutput::formats()
{
    return {QStringLiteral("junit"), QStringLiteral("ctrf"), QStringLiteral("markdown"), QStringLiteral("github")};
}

QString XrdCiOutput::argumentError(const XrdCommandLine &line)
{
    if (line.mode == XrdCommandLine::ToFormat && !formats().contains(line.outputFormat))
        return tr("--to needs a format: %1").arg(formats().join(QStringLiteral(", ")));
    if (!line.outputFile.isNull() && line.mode != XrdCommandLine::ToFormat)
        return tr("-o goes with --to");
    if (line.mode == XrdCommandLine::ToFormat && line.outputFile.isEmpty() && !line.outputFile.isNull())
        return tr("-o needs a file name");
    if (line.allowEmpty && line.mode != XrdCommandLine::ToFormat && line.mode != XrdCommandLine::Summary)
        return tr("--allow-empty goes with --summary or --to");
    return QString();
}

QByteArray XrdCiOutput::render(const QString &format, QList<QAStFileResults> files)
{
    const QDir current = QDir::current();
    for (QAStFileResults &file : files) {
        const QString relative = current.relativeFilePath(file.file);
        if (!relative.startsWith(QLatin1String("../")) && !QDir::isAbsolutePath(relative))
            file.file = relative;
    }
    if (format == QLatin1String("junit"))
        return XrdJUnitWriter::write(files);
    if (format == QLatin1String("ctrf"))
        return XrdCtrfWriter::write(files);
    if (format == QLatin1String("markdown"))
        return XrdMarkdownWriter::write(files);
    return XrdGithubWriter::write(files);
}

int XrdCiOutput::write(const QAStReportSession &session, const XrdCommandLine &line, bool allRead)
{
    const QByteArray bytes = render(line.outputFormat, session.fileResults());
    if (line.outputFile.isEmpty() || line.outputFile == QLatin1String("-")) {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    } else {
        QSaveFile file(line.outputFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            XrdHeadlessRunner::printError(tr("%1 cannot be written: %2").arg(line.outputFile, file.errorString()));
            return XrdHeadlessRunner::Error;
        }
    }
    if (!allRead)
        return XrdHeadlessRunner::Error;
    const std::optional<QAStResultTotals> totals = session.resultTotals();
    return totals && totals->failed > 0 ? XrdHeadlessRunner::Failed : XrdHeadlessRunner::Passed;
}

bool XrdCiOutput::isEmpty(const QAStReportSession &session)
{
    const std::optional<QAStResultTotals> totals = session.resultTotals();
    return !totals
           || (totals->passed == 0 && totals->failed == 0 && std::max<qint64>(totals->inconclusive, 0) == 0);
}

QString XrdCiOutput::emptyMessage()
{
    return tr("No test case found (--allow-empty lets a run without any pass).");
}

QString XrdCiOutput::inputsHelp()
{
    return tr("In the modes without a window, a FILE that is a folder stands for the reports found under "
              "it, and a quoted pattern such as 'build/**/TEST-*.xml' is expanded by xrdview itself.");
}
