#include "korvatreporter/window/qarslowestmodel.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

struct Timed
{
    double seconds;
    qint64 order; // position in document order over every file
    int file;
    const QARSlowestModel::Node *node;
};

// Longest first; equal durations keep document order.
bool slower(const Timed &a, const Timed &b)
{
    if (a.seconds != b.seconds)
        return a.seconds > b.seconds;
    return a.order < b.order;
}

// The names from the node below the root down to `node`.
QString pathOf(const QARSlowestModel::Node *node)
{
    QStringList names;
    for (; node && node->parent(); node = node->parent())
        names.prepend(node->data() ? node->data()->name : QString());
    return names.join(QStringLiteral(" › "));
}

} // namespace

QARSlowestModel::QARSlowestModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QARSlowestModel::~QARSlowestModel() = default;

void QARSlowestModel::setFiles(const QList<File> &files)
{
    // A heap of the Limit slowest met so far, its fastest on top: one pass
    // over every node, without a path made for those that do not stay.
    std::vector<Timed> heap;
    const auto keep = [&](const Timed &timed) {
        if (int(heap.size()) < Limit) {
            heap.push_back(timed);
            std::push_heap(heap.begin(), heap.end(), slower);
        } else if (slower(timed, heap.front())) {
            std::pop_heap(heap.begin(), heap.end(), slower);
            heap.back() = timed;
            std::push_heap(heap.begin(), heap.end(), slower);
        }
    };
    std::vector<const Node *> pending;
    qint64 order = 0;
    for (int file = 0; file < files.size(); ++file) {
        const Node *root = files.at(file).tree ? files.at(file).tree->rootNode() : nullptr;
        if (root)
            pending.assign(root->children().crbegin(), root->children().crend());
        while (!pending.empty()) {
            const Node *node = pending.back();
            pending.pop_back();
            const QAReporterNode *data = node->data();
            if (!data)
                continue;
            ++order;
            const bool isCase = data->type == QLatin1String("TestCase");
            if ((isCase || !node->hasChildren()) && data->seconds >= 0)
                keep({data->seconds, order, file, node});
            if (!isCase)
                pending.insert(pending.end(), node->children().crbegin(), node->children().crend());
        }
    }
    std::sort_heap(heap.begin(), heap.end(), slower);
    beginResetModel();
    m_entries.clear();
    for (const Timed &timed : heap)
        m_entries.append({files.at(timed.file).path, timed.node->data()->id, pathOf(timed.node),
                          timed.seconds});
    endResetModel();
}

const QARSlowestModel::Entry *QARSlowestModel::entry(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_entries.size())
        return nullptr;
    return &m_entries.at(index.row());
}

int QARSlowestModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int QARSlowestModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QARSlowestModel::data(const QModelIndex &index, int role) const
{
    const Entry *one = entry(index);
    if (!one)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == DurationColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                : QVariant();
    if (role == Qt::ToolTipRole)
        return one->path;
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case DurationColumn:
        return QARTreeModel::durationText(one->seconds);
    case TestColumn:
        return one->path;
    case FileColumn:
        return QFileInfo(one->file).fileName();
    default:
        return QVariant();
    }
}

QVariant QARSlowestModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case DurationColumn:
        return QCoreApplication::translate("QAReporter", "Duration");
    case TestColumn:
        return QCoreApplication::translate("QAReporter", "Test");
    case FileColumn:
        return QCoreApplication::translate("QAReporter", "File");
    default:
        return QVariant();
    }
}
