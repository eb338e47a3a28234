#include "korvatreporter/session/qareportsessiontext.h"

#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewlayout.h"

#include <QFileInfo>

namespace {

bool isVerdict(const QString &state)
{
    return state == QLatin1String("ok") || state == QLatin1String("ko") || state == QLatin1String("NE");
}

void treeLines(QAReporterDataTree &tree, const QAStReportSession::TextLines &lines)
{
    if (!tree.root())
        return;
    // The root is depth 1 and has no line of its own: its children sit one
    // level below the file's line. One string is reused for every line.
    QString line;
    while (const QAReporterNode *node = tree.next(QAReporterDataTree::Forward)) {
        line.fill(QLatin1Char(' '), 2 * (tree.depth() - 1));
        line += isVerdict(node->state) ? node->state.text() : QStringLiteral("--");
        line += QLatin1String("  ");
        line += node->name;
        lines(line);
    }
}

} // namespace

void QAReportSessionText::outline(const QList<QAReporterData *> &records, const QAStReportSession::TextLines &lines)
{
    for (const QAReporterData *record : records) {
        if (!record || !record->dataTree || !record->dataTree->root())
            continue;
        lines(QFileInfo(record->fileName).fileName());
        treeLines(*record->dataTree, lines);
    }
}

void QAReportSessionText::documents(const QList<QAReporterData *> &records, const QAStReportSession::TextLines &lines)
{
    DViewContext context;
    DViewLayout layout(&context);
    for (const QAReporterData *record : records) {
        if (!record)
            continue;
        for (DDocument *document : record->documents())
            layout.addDocument(document);
    }
    for (int b = 0; b < layout.count(); ++b) {
        const QString line = layout.blockText(b);
        if (!line.isEmpty())
            lines(line);
    }
}

QString QAReportSessionText::totals(const QAStResultTotals &totals, const QString &testNode, qint64 flaky)
{
    QString text;
    if (!testNode.isEmpty())
        text += QStringLiteral("TestNode: ") + testNode + QLatin1Char('\n');
    text += QStringLiteral("\t[%1] Test Case Passed\n").arg(totals.passed);
    text += QStringLiteral("\t[%1] Test Case Failed\n").arg(totals.failed);
    if (flaky > 0)
        text += QStringLiteral("\t[%1] Test Case Flaky\n").arg(flaky);
    return text;
}
