#include "xrdview/cli/xrdreporttext.h"

#include "sdk/qalistview.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QString XrdReportText::outline(const QTreeWidget* tree)
{
    QString text;
    if (!tree)
        return text;
    // The iterator walks the whole tree in display order without recursion,
    // collapsed branches included.
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        int depth = 0;
        for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            ++depth;
        text += QString(2 * depth, QLatin1Char(' '));
        if (depth > 0) {
            const QString verdict = item->data(1, QAListView::VerdictRole).toString();
            text += QAListView::isVerdict(verdict) ? verdict : QStringLiteral("--");
            text += QLatin1String("  ");
        }
        text += item->text(0);
        text += QLatin1Char('\n');
    }
    return text;
}

QString XrdReportText::withFinalNewline(const QString& text)
{
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        return text;
    return text + QLatin1Char('\n');
}
