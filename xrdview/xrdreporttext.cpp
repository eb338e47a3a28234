#include "xrdview/xrdreporttext.h"

#include "sdk/qalistview.h"

#include <QCoreApplication>
#include <QStringList>
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
            const bool known = verdict == QLatin1String("ok") || verdict == QLatin1String("ko")
                               || verdict == QLatin1String("NE");
            text += known ? verdict : QStringLiteral("--");
            text += QLatin1String("  ");
        }
        text += item->text(0);
        text += QLatin1Char('\n');
    }
    return text;
}

std::optional<qint64> XrdReportText::failedTotal(const QString& summaryTable)
{
    const QString total = QCoreApplication::translate("Reporter", "Total");
    const QStringList rows = summaryTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        const QStringList cells = row->split(QLatin1Char('\t'));
        if (cells.size() < 2 || cells.first().trimmed() != total)
            continue;
        bool ok = false;
        const qint64 failed = cells.at(1).trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return failed;
    }
    return std::nullopt;
}

QString XrdReportText::withFinalNewline(const QString& text)
{
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        return text;
    return text + QLatin1Char('\n');
}
