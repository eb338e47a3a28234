#include "xrdview/output/xrdmarkdownwriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

QString totalsRow(const QString &name, qint64 passed, qint64 failed, qint64 inconclusive)
{
    return QStringLiteral("| %1 | %2 | %3 | %4 |\n")
        .arg(name)
        .arg(passed)
        .arg(failed)
        .arg(std::max<qint64>(inconclusive, 0));
}

QString totalsTable(const QList<QAStFileResults> &files)
{
    QString text = QStringLiteral("| %1 | %2 | %3 | %4 |\n|---|---:|---:|---:|\n")
                       .arg(XrdMarkdownWriter::tr("File"), XrdMarkdownWriter::tr("Passed"),
                            XrdMarkdownWriter::tr("Failed"), XrdMarkdownWriter::tr("Inconclusive"));
    qint64 sums[3] = {0, 0, 0};
    for (const QAStFileResults &file : files) {
        text += totalsRow(XrdMarkdownWriter::escaped(file.file), file.totals.passed, file.totals.failed,
                          file.totals.inconclusive);
        sums[0] += file.totals.passed;
        sums[1] += file.totals.failed;
        sums[2] += std::max<qint64>(file.totals.inconclusive, 0);
    }
    if (files.size() > 1)
        text += totalsRow(QStringLiteral("**%1**").arg(XrdMarkdownWriter::tr("Total")), sums[0], sums[1], sums[2]);
    return text;
}

// The first lines of a message, each cut to a readable length.
QString messageHead(const QString &message)
{
    const QStringList lines = message.split(QLatin1Char('\n'));
    QStringList head;
    for (const QString &line : lines.mid(0, XrdMarkdownWriter::MessageLines)) {
        QString cut = line;
        cut.remove(QLatin1Char('\r'));
        if (cut.size() > XrdMarkdownWriter::LineLength)
            cut = cut.left(XrdMarkdownWriter::LineLength) + QStringLiteral("…");
        head << cut;
    }
    if (lines.size() > XrdMarkdownWriter::MessageLines)
        head << QStringLiteral("…");
    return head.join(QLatin1Char('\n'));
}

QString failedTest(const QAStFileResults &file, const QAStTestResult &test)
{
    QString text = QStringLiteral("#### %1 / %2\n\n")
                       .arg(XrdMarkdownWriter::escaped(QFileInfo(file.file).fileName()),
                            XrdMarkdownWriter::escaped(test.path));
    if (test.sourceLine >= 0)
        text += XrdMarkdownWriter::tr("Source: %1").arg(XrdMarkdownWriter::escaped(test.sourceFile + QLatin1Char(':')
                                                                 + QString::number(test.sourceLine)))
                + QStringLiteral("\n\n");
    if (!test.message.isEmpty()) {
        const QString head = messageHead(test.message);
        const QString fence = XrdMarkdownWriter::fenceFor(head);
        text += fence + QStringLiteral("text\n") + head + QLatin1Char('\n') + fence + QStringLiteral("\n\n");
    }
    return text;
}

} // namespace

QString XrdMarkdownWriter::escaped(const QString &text)
{
    static const QString special = QStringLiteral("\\`*_[]<>#|~&");
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            out += QLatin1Char(' ');
        else if (special.contains(c))
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}

QString XrdMarkdownWriter::fenceFor(const QString &text)
{
    int longest = 0;
    int run = 0;
    for (const QChar c : text) {
        run = c == QLatin1Char('`') ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return QString(std::max(3, longest + 1), QLatin1Char('`'));
}

QByteArray XrdMarkdownWriter::write(const QList<QAStFileResults> &files, qsizetype limit)
{
    QByteArray out = (QStringLiteral("## %1\n\n").arg(tr("Test results")) + totalsTable(files)).toUtf8();
    qint64 failed = 0;
    for (const QAStFileResults &file : files)
        failed += std::count_if(file.tests.cbegin(), file.tests.cend(),
                                [](const QAStTestResult &test) { return test.verdict == QAStTestResult::Failed; });
    if (failed == 0)
        return out;
    out += QStringLiteral("\n### %1\n\n").arg(tr("Failed tests (%1)").arg(failed)).toUtf8();
    // Room for the closing line that counts what was left out.
    const qsizetype room = limit - 200;
    qint64 written = 0;
    for (const QAStFileResults &file : files) {
        for (const QAStTestResult &test : file.tests) {
            if (test.verdict != QAStTestResult::Failed)
                continue;
            const QByteArray part = failedTest(file, test).toUtf8();
            if (out.size() + part.size() > room) {
                out += tr("%1 more failed tests left out: the summary is limited to %2 KiB.\n")
                           .arg(failed - written)
                           .arg(limit / 1024)
                           .toUtf8();
                return out;
            }
            out += part;
            ++written;
        }
    }
    return out;
}
