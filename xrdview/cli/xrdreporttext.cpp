#include "xrdview/cli/xrdreporttext.h"

#include "sdk/qalistview.h"

#include <QAbstractItemModel>

#include <utility>
#include <vector>

QString XrdReportText::outline(const QAbstractItemModel* tree)
{
    QString text;
    if (!tree)
        return text;
    // An explicit work list walks the whole tree in display order without
    // recursion, collapsed branches included.
    std::vector<std::pair<QModelIndex, int>> pending;
    for (int row = tree->rowCount() - 1; row >= 0; --row)
        pending.emplace_back(tree->index(row, 0), 0);
    while (!pending.empty()) {
        const auto [index, depth] = pending.back();
        pending.pop_back();
        text += QString(2 * depth, QLatin1Char(' '));
        if (depth > 0) {
            const QString verdict = index.siblingAtColumn(1).data(QAListView::VerdictRole).toString();
            text += QAListView::isVerdict(verdict) ? verdict : QStringLiteral("--");
            text += QLatin1String("  ");
        }
        text += index.data(Qt::DisplayRole).toString();
        text += QLatin1Char('\n');
        for (int row = tree->rowCount(index) - 1; row >= 0; --row)
            pending.emplace_back(tree->index(row, 0, index), depth + 1);
    }
    return text;
}

QString XrdReportText::withFinalNewline(const QString& text)
{
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        return text;
    return text + QLatin1Char('\n');
}
