#include "korvatreporter/window/qartreemodel.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/model/ditemcontainer.h"
#include "sdk/qalistview.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include <utility>
#include <vector>

QARTreeModel::QARTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

QARTreeModel::~QARTreeModel() = default;

void QARTreeModel::setFiles(const QList<File> &files)
{
    beginResetModel();
    m_rows.clear();
    m_fileRows.clear();
    for (const File &file : files) {
        const Node *root = file.tree ? file.tree->rootNode() : nullptr;
        if (!root)
            continue;
        m_fileRows.insert(root, int(m_rows.size()));
        m_rows.append(Row{file.path, QFileInfo(file.path).fileName(), root});
    }
    applyFilter();
    sumDurations();
    endResetModel();
}

void QARTreeModel::sumDurations()
{
    m_totals.clear();
    // Post-order with a stack of open levels, each its node, its next child and the total of
    // the children passed: a leaf's duration is read where it stands, and only inner nodes
    // with a duration below them enter the table. A node's own duration wins over its
    // children's total, as secondsOf() gives it.
    struct Level
    {
        const Node *node;
        qsizetype next;
        double total;
        bool any;
    };
    std::vector<Level> levels;
    const auto add = [&levels](double seconds) {
        if (seconds >= 0) {
            levels.back().total += seconds;
            levels.back().any = true;
        }
    };
    for (const Row &row : std::as_const(m_rows)) {
        if (!row.root->hasChildren())
            continue;
        levels.push_back({row.root, 0, 0, false});
        while (!levels.empty()) {
            Level &level = levels.back();
            if (level.next < level.node->children().size()) {
                const Node *child = level.node->children().at(level.next++);
                if (child->hasChildren())
                    levels.push_back({child, 0, 0, false});
                else
                    add(child->data() ? child->data()->seconds : -1);
                continue;
            }
            const Level done = level;
            levels.pop_back();
            if (done.any)
                m_totals.insert(done.node, done.total);
            if (!levels.empty()) {
                const QAReporterNode *data = done.node->data();
                add(data && data->seconds >= 0 ? data->seconds : done.any ? done.total : -1);
            }
        }
    }
}

double QARTreeModel::secondsOf(const Node *node) const
{
    if (!node)
        return -1;
    if (node->parent() && node->data() && node->data()->seconds >= 0)
        return node->data()->seconds;
    return m_totals.value(node, -1);
}

double QARTreeModel::seconds(const QModelIndex &index) const
{
    return secondsOf(treeNode(index));
}

QString QARTreeModel::durationText(double seconds)
{
    if (seconds < 0 || !std::isfinite(seconds))
        return QString();
    const QLocale locale;
    if (seconds < 60)
        return QCoreApplication::translate("QARTreeModel", "%1 s")
            .arg(locale.toString(seconds, 'f', seconds < 10 ? 3 : 1));
    const qint64 whole = qint64(std::llround(seconds));
    return QCoreApplication::translate("QARTreeModel", "%1 min %2 s")
        .arg(locale.toString(whole / 60))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

void QARTreeModel::applyFilter()
{
    m_sorted.clear();
    m_sortedRows.clear();
    QList<const Node *> roots;
    roots.reserve(m_rows.size());
    for (const Row &row : std::as_const(m_rows))
        roots.append(row.root);
    m_filter.apply(roots);
}

bool QARTreeModel::setFilterText(const QString &text)
{
    QARTreeFilter words;
    words.setText(text);
    if (words.words() == m_filter.words())
        return false;
    beginResetModel();
    m_filter.setText(text);
    applyFilter();
    m_sorted.clear();
    m_sortedRows.clear();
    endResetModel();
    return true;
}

void QARTreeModel::clear()
{
    setFiles({});
}

const QARTreeModel::Node *QARTreeModel::treeNode(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this
        ? static_cast<const Node *>(index.internalPointer())
        : nullptr;
}

const QARTreeModel::Node *QARTreeModel::nodeOf(const QModelIndex &index) const
{
    return treeNode(index);
}

int QARTreeModel::shownChildCount(const Node *parent) const
{
    return parent ? m_filter.childCount(parent) : 0;
}

int QARTreeModel::fileRow(const Node *node) const
{
    return node && !node->parent() ? m_fileRows.value(node, -1) : -1;
}

bool QARTreeModel::isFile(const QModelIndex &index) const
{
    const Node *node = treeNode(index);
    return node && !node->parent();
}

QAReporterNode *QARTreeModel::node(const QModelIndex &index) const
{
    const Node *node = treeNode(index);
    return node && node->parent() ? node->data() : nullptr;
}

QString QARTreeModel::filePath(const QModelIndex &index) const
{
    const Node *node = treeNode(index);
    if (!node)
        return QString();
    // Climbing to the root costs one step per level: a file's path is asked
    // for once per defect report, not per painted row.
    while (node->parent())
        node = node->parent();
    const int row = fileRow(node);
    return row < 0 ? QString() : m_rows.at(row).path;
}

DItem *QARTreeModel::anchor(const QModelIndex &index) const
{
    const Node *node = treeNode(index);
    return node && node->data() ? node->data()->startItem : nullptr;
}

bool QARTreeModel::isFailed(const QModelIndex &index) const
{
    const QAReporterNode *reportNode = node(index);
    return reportNode && reportNode->state == QLatin1String("ko");
}

QModelIndex QARTreeModel::indexOf(const Node *node) const
{
    if (!node)
        return QModelIndex();
    if (!node->parent()) {
        const int row = fileRow(node);
        return row < 0 ? QModelIndex() : createIndex(row, NameColumn, const_cast<Node *>(node));
    }
    return createIndex(rowOf(node), NameColumn, const_cast<Node *>(node));
}

const QARTreeModel::Node *QARTreeModel::childAt(const Node *parent, int row) const
{
    if (m_sortColumn < 0)
        return m_filter.child(parent, row);
    const QList<const Node *> &children = sortedChildren(parent);
    return row >= 0 && row < children.size() ? children.at(row) : nullptr;
}

int QARTreeModel::rowOf(const Node *node) const
{
    if (m_sortColumn < 0 || !node->parent())
        return m_filter.row(node);
    sortedChildren(node->parent());
    return m_sortedRows.value(node, -1);
}

const QList<const QARTreeModel::Node *> &QARTreeModel::sortedChildren(const Node *parent) const
{
    auto it = m_sorted.find(parent);
    if (it != m_sorted.end())
        return it.value();
    QList<const Node *> children;
    const int count = m_filter.childCount(parent);
    children.reserve(count);
    for (int row = 0; row < count; ++row)
        children.append(m_filter.child(parent, row));
    std::stable_sort(children.begin(), children.end(),
                     [this](const Node *a, const Node *b) { return sortsBefore(a, b); });
    for (int row = 0; row < children.size(); ++row)
        m_sortedRows.insert(children.at(row), row);
    return m_sorted.insert(parent, children).value();
}

bool QARTreeModel::sortsBefore(const Node *a, const Node *b) const
{
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (m_sortColumn == DurationColumn) {
        const double x = secondsOf(a);
        const double y = secondsOf(b);
        // Rows without a duration go last in either order.
        if ((x < 0) != (y < 0))
            return y < 0;
        return descending ? x > y : x < y;
    }
    static const QString none;
    const QAReporterNode *first = a->data();
    const QAReporterNode *second = b->data();
    const QString &x = !first ? none : m_sortColumn == VerdictColumn ? first->state.text() : first->name;
    const QString &y = !second ? none : m_sortColumn == VerdictColumn ? second->state.text() : second->name;
    const int order = x.compare(y, Qt::CaseInsensitive);
    return descending ? order > 0 : order < 0;
}

void QARTreeModel::sort(int column, Qt::SortOrder order)
{
    if (column >= ColumnCount)
        return;
    column = std::max(column, -1);
    if (column == m_sortColumn && (column < 0 || order == m_sortOrder))
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    m_sortColumn = column;
    m_sortOrder = order;
    m_sorted.clear();
    m_sortedRows.clear();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const QModelIndex moved = indexOf(treeNode(index));
        after.append(moved.isValid() ? moved.siblingAtColumn(index.column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QModelIndex QARTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid()) {
        if (row >= m_rows.size())
            return QModelIndex();
        return createIndex(row, column, const_cast<Node *>(m_rows.at(row).root));
    }
    const Node *up = treeNode(parent);
    const Node *node = up && parent.column() == NameColumn ? childAt(up, row) : nullptr;
    return node ? createIndex(row, column, const_cast<Node *>(node)) : QModelIndex();
}

QModelIndex QARTreeModel::parent(const QModelIndex &child) const
{
    const Node *node = treeNode(child);
    if (!node || !node->parent())
        return QModelIndex();
    return indexOf(node->parent());
}

int QARTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_rows.size());
    const Node *node = treeNode(parent);
    return node && parent.column() == NameColumn ? m_filter.childCount(node) : 0;
}

int QARTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool QARTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return !m_rows.isEmpty();
    const Node *node = treeNode(parent);
    return node && parent.column() == NameColumn && m_filter.childCount(node) > 0;
}

Qt::ItemFlags QARTreeModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    const Node *node = treeNode(index);
    if (node && node->parent() && !node->hasChildren())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QStringList QARTreeModel::widestDurationTexts() const
{
    QStringList texts;
    for (const Row &row : std::as_const(m_rows)) {
        const double total = secondsOf(row.root);
        if (total >= 0)
            texts.append(durationText(total));
    }
    // Below ten seconds three decimals are shown: a smaller row's "9.999 s"
    // can be wider than its file's total.
    if (!texts.isEmpty())
        texts.append(durationText(9.999));
    return texts;
}

QVariant QARTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *node = treeNode(index);
    if (!node)
        return QVariant();
    if (m_marker && index.column() == NameColumn) {
        const QVariant marked = m_marker(index, role);
        if (marked.isValid())
            return marked;
    }
    if (index.column() == DurationColumn)
        return durationData(node, role);
    if (!node->parent())
        return fileData(index.row(), index.column(), role);
    return node->data() ? nodeData(*node->data(), index.column(), role) : QVariant();
}

QVariant QARTreeModel::durationData(const Node *node, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return durationText(secondsOf(node));
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::UserRole:
        return secondsOf(node);
    default:
        return QVariant();
    }
}

QVariant QARTreeModel::fileData(int row, int column, int role) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    const Row &file = m_rows.at(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column == NameColumn ? QVariant(file.name) : QVariant();
    case Qt::DecorationRole:
        return column == NameColumn ? QVariant(m_images.icon(QAReporterImages::Reporter))
                                    : QVariant();
    case Qt::ToolTipRole:
        return file.path;
    default:
        return QVariant();
    }
}

QVariant QARTreeModel::nodeData(const QAReporterNode &reportNode, int column, int role) const
{
    const bool verdict = QAListView::isVerdict(reportNode.state);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == NameColumn && !reportNode.name.isNull())
            return reportNode.name;
        break;
    case Qt::FontRole:
        if (column == NameColumn && m_filter.highlights(reportNode.name)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    case Qt::DecorationRole:
        if (column == NameColumn && !reportNode.icone.isNull())
            return m_images.fileIcon(reportNode.icone);
        if (column == VerdictColumn && verdict && reportNode.rerun != QAReporterNode::NoRerun)
            return m_images.rerunIcon(QAReporterImages::verdictImage(reportNode.state), reportNode.rerun);
        if (column == VerdictColumn && verdict)
            return m_images.icon(QAReporterImages::verdictImage(reportNode.state));
        break;
    case Qt::ToolTipRole: {
        const QString state = reportNode.state.isNull()
            ? QCoreApplication::translate("QARListView", "none")
            : reportNode.state.text();
        QString tip = QCoreApplication::translate("QARListView", "Type: %1\nVerdict: %2")
                          .arg(reportNode.type.text(), state);
        if (reportNode.rerun == QAReporterNode::Flaky)
            tip += QLatin1Char('\n') + QCoreApplication::translate("QARListView", "Flaky: passed on a rerun");
        else if (reportNode.rerun == QAReporterNode::RetriedFailed)
            tip += QLatin1Char('\n') + QCoreApplication::translate("QARListView", "Failed on its reruns too");
        if (reportNode.seconds >= 0)
            tip += QLatin1Char('\n') + QCoreApplication::translate("QARListView", "Duration: %1")
                                          .arg(durationText(reportNode.seconds));
        return tip;
    }
    default:
        if (role == QAListView::VerdictRole && column == VerdictColumn && verdict)
            return reportNode.state.text();
        break;
    }
    return QVariant();
}

QVariant QARTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::TextAlignmentRole && section == DurationColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case NameColumn:
        return QCoreApplication::translate("QAReporter", "Name");
    case DurationColumn:
        return QCoreApplication::translate("QAReporter", "Duration");
    default:
        return QString();
    }
}

QModelIndex QARTreeModel::findNode(const QString &filePath, const QString &id,
                                   const QString &path) const
{
    static const QString separator = QStringLiteral(" › ");
    QModelIndex byPath;
    for (int file = 0; file < m_rows.size(); ++file) {
        if (m_rows.at(file).path != filePath)
            continue;
        // Depth first over the shown rows with each row's path.
        std::vector<std::pair<QModelIndex, QString>> pending{{index(file, NameColumn), QString()}};
        while (!pending.empty()) {
            const auto [at, above] = pending.back();
            pending.pop_back();
            QString here = above;
            if (const QAReporterNode *data = node(at)) {
                if (!id.isEmpty() && data->id == id)
                    return at;
                here = above.isEmpty() ? data->name : above + separator + data->name;
                if (!byPath.isValid() && here == path)
                    byPath = at;
            }
            for (int row = rowCount(at) - 1; row >= 0; --row)
                pending.emplace_back(index(row, NameColumn, at), here);
        }
    }
    return byPath;
}

QModelIndex QARTreeModel::rowHolding(const DItem *item) const
{
    if (!item)
        return QModelIndex();
    // The anchors of the shown rows; a later row in pre-order replaces an
    // earlier one on the same anchor, so the deepest wins.
    QHash<const DItem *, QModelIndex> anchors;
    std::vector<QModelIndex> pending;
    for (int file = int(m_rows.size()) - 1; file >= 0; --file)
        pending.push_back(index(file, NameColumn));
    while (!pending.empty()) {
        const QModelIndex at = pending.back();
        pending.pop_back();
        if (const DItem *start = anchor(at))
            anchors.insert(start, at);
        for (int row = rowCount(at) - 1; row >= 0; --row)
            pending.push_back(index(row, NameColumn, at));
    }
    // Walks the document holding item from its top until item.
    const DItem *top = item;
    while (top->parent())
        top = top->parent();
    QModelIndex found;
    for (const DItem *i = top; i; i = i->nextInDocument(top)) {
        const auto it = anchors.constFind(i);
        if (it != anchors.constEnd())
            found = it.value();
        if (i == item)
            return found;
    }
    return QModelIndex();
}
