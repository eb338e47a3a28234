#include "korvatreporter/window/qarhistorymodel.h"

#include "history/historytext.h"

#include <QLocale>

namespace {

bool under(const QString &key, const QString &node)
{
    return key.size() == node.size() ? key == node
                                     : key.size() > node.size() && key.startsWith(node)
                                           && key.at(node.size()) == QLatin1Char('/');
}

QString verdictText(QChar verdict)
{
    switch (verdict.toLatin1()) {
    case 'P':
        return QARHistoryModel::tr("passed");
    case 'F':
        return QARHistoryModel::tr("failed");
    case 'N':
        return QARHistoryModel::tr("inconclusive");
    default:
        return QARHistoryModel::tr("not run");
    }
}

} // namespace

QARHistoryModel::QARHistoryModel(QObject *parent) : QAbstractTableModel(parent) {}

void QARHistoryModel::setRuns(const QList<HistoryRun> &runs, const QString &key)
{
    beginResetModel();
    m_rows.clear();
    for (const HistoryRun &run : runs) {
        Row row;
        row.runId = run.id;
        row.label = run.label.isEmpty() ? QStringLiteral("#%1").arg(run.id) : run.label;
        row.recorded = run.time;
        for (const HistoryResult &result : run.results) {
            if (!under(result.key(), key))
                continue;
            if (result.durationMs)
                row.durationMs = row.durationMs.value_or(0) + *result.durationMs;
            if (result.verdict == HistoryResult::Verdict::Ko)
                ++row.failed;
            else if (result.verdict == HistoryResult::Verdict::Inconclusive)
                ++row.inconclusive;
            else
                ++row.passed;
        }
        row.verdict = row.failed         ? QLatin1Char('F')
                      : row.inconclusive ? QLatin1Char('N')
                      : row.passed       ? QLatin1Char('P')
                                         : QLatin1Char('-');
        m_rows.append(row);
    }
    endResetModel();
}

void QARHistoryModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QColor QARHistoryModel::colorOf(QChar verdict)
{
    switch (verdict.toLatin1()) {
    case 'P':
        return QColor(0x2e, 0x9d, 0x3f);
    case 'F':
        return QColor(0xd0, 0x31, 0x2d);
    case 'N':
        return QColor(0xe8, 0xa3, 0x17);
    default:
        return QColor(0xc8, 0xc8, 0xc8);
    }
}

int QARHistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QARHistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString QARHistoryModel::toolTip(const Row &row) const
{
    const QString text = tr("%1, recorded %2: %3")
                             .arg(row.label, QLocale().toString(row.recorded.toLocalTime(), QLocale::ShortFormat),
                                  verdictText(row.verdict));
    if (!row.durationMs)
        return text;
    return tr("%1, took %2").arg(text, HistoryText::duration(*row.durationMs));
}

QVariant QARHistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Row &row = m_rows.at(index.row());
    if (role == VerdictRole)
        return QString(row.verdict);
    if (role == Qt::ToolTipRole)
        return toolTip(row);
    if (role == Qt::DecorationRole && index.column() == LabelColumn)
        return colorOf(row.verdict);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case LabelColumn:
        return row.label;
    case RecordedColumn:
        return QLocale().toString(row.recorded.toLocalTime(), QLocale::ShortFormat);
    case VerdictColumn:
        return verdictText(row.verdict);
    case PassedColumn:
        return row.passed;
    case FailedColumn:
        return row.failed;
    case InconclusiveColumn:
        return row.inconclusive;
    case DurationColumn:
        return row.durationMs ? HistoryText::duration(*row.durationMs) : QString();
    default:
        return QVariant();
    }
}

QVariant QARHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case LabelColumn:
        return tr("Run");
    case RecordedColumn:
        return tr("Recorded");
    case VerdictColumn:
        return tr("Verdict");
    case PassedColumn:
        return tr("Passed");
    case FailedColumn:
        return tr("Failed");
    case InconclusiveColumn:
        return tr("Inconclusive");
    case DurationColumn:
        return tr("Duration");
    default:
        return QVariant();
    }
}
