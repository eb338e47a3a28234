#include "korvatreporter/window/qarfailuresmodel.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/model/ditem.h"
#include "rendoc/model/dtext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Case rows carry their group's row + 1 as internal id; group rows carry 0.
constexpr quintptr GroupRow = 0;
// How many document items a message is looked for in, past the case start.
constexpr int MessageSearchItems = 2000;

bool failed(const QAReporterNode *node)
{
    return node && node->state == QLatin1String("ko");
}

// The node after `node` in document order once its subtree is passed over.
const QARFailuresModel::Node *nextOutside(const QARFailuresModel::Node *node)
{
    for (; node && node->parent(); node = node->parent()) {
        const auto &siblings = node->parent()->children();
        if (node->row() + 1 < siblings.size())
            return siblings.at(node->row() + 1);
    }
    return nullptr;
}

// The text of a paragraph: its text items in order.
QString paragraphText(const DItem *paragraph)
{
    QString text;
    for (const DItem *item = paragraph; item; item = item->nextInDocument(paragraph)) {
        if (item->kind() == DItem::Text)
            text += static_cast<const DText *>(item)->text();
    }
    return text;
}

} // namespace

// The first line of the first Failed paragraph of the case's report text,
// which ends where the next node outside the case starts.
QString QARFailuresModel::messageOf(const Node *node)
{
    if (!node || !node->data())
        return QString();
    const DItem *start = node->data()->startItem;
    const QARFailuresModel::Node *after = nextOutside(node);
    const DItem *stop = after && after->data() ? after->data()->startItem : nullptr;
    int budget = MessageSearchItems;
    for (const DItem *item = start; item && item != stop && budget-- > 0; item = item->nextInDocument(nullptr)) {
        if (item->kind() == DItem::Paragraph && item->styleName().contains(QLatin1String("Failed"))) {
            const QString text = paragraphText(item).trimmed();
            if (!text.isEmpty())
                return text.section(QLatin1Char('\n'), 0, 0).simplified();
        }
    }
    // No message: the name of the first failed node under the case.
    std::vector<const QARFailuresModel::Node *> pending(node->children().crbegin(), node->children().crend());
    while (!pending.empty()) {
        const QARFailuresModel::Node *below = pending.back();
        pending.pop_back();
        if (failed(below->data()))
            return below->data()->name;
        pending.insert(pending.end(), below->children().crbegin(), below->children().crend());
    }
    return QString();
}

QARFailuresModel::QARFailuresModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

QARFailuresModel::~QARFailuresModel() = default;

QString QARFailuresModel::normalise(const QString &message)
{
    static const QRegularExpression address(QStringLiteral("\\b0x[0-9A-Fa-f]+\\b"));
    // A temporary path starts a word: "/builds/x/tmp/a" is a project's path.
    static const QRegularExpression tempPath(QStringLiteral(
        "(?<![^\\s'\"(=])(/tmp/|/var/tmp/|/var/folders/|[A-Za-z]:\\\\[^\\s]*\\\\Temp\\\\)[^\\s:'\"]*"));
    // Numbers, not digits inside names such as "opentest4j" or "utf8".
    static const QRegularExpression number(QStringLiteral("(?<![A-Za-z_])\\d+(\\.\\d+)?(?![A-Za-z_])"));
    // Addresses wait behind a mark with no digit while numbers are masked.
    static const QString addressMark = QStringLiteral("\x01");
    QString text = message;
    text.remove(addressMark);
    text.replace(address, addressMark);
    text.replace(tempPath, QStringLiteral("<tmp>"));
    text.replace(number, QStringLiteral("#"));
    text.replace(addressMark, QStringLiteral("0x…"));
    return text;
}

void QARFailuresModel::setFiles(const QList<File> &files)
{
    beginResetModel();
    m_failures.clear();
    m_groups.clear();
    for (const File &file : files)
        collect(file);
    group();
    endResetModel();
}

void QARFailuresModel::clear()
{
    setFiles({});
}

void QARFailuresModel::collect(const File &file)
{
    const Node *root = file.tree ? file.tree->rootNode() : nullptr;
    if (!root)
        return;
    static const QString separator = QStringLiteral(" › ");
    // Depth first in document order, with each node's path; a failed case
    // ends the descent.
    std::vector<std::pair<const Node *, QString>> pending;
    for (auto it = root->children().crbegin(); it != root->children().crend(); ++it)
        pending.emplace_back(*it, QString());
    while (!pending.empty()) {
        const auto [node, above] = pending.back();
        pending.pop_back();
        const QAReporterNode *data = node->data();
        if (!data)
            continue;
        const QString path = above.isEmpty() ? data->name : above + separator + data->name;
        const bool isCase = data->type == QLatin1String("TestCase") || !node->hasChildren();
        if (isCase) {
            if (failed(data))
                m_failures.append({file.path, data->id, path, messageOf(node)});
            if (data->type == QLatin1String("TestCase"))
                continue;
        }
        for (auto it = node->children().crbegin(); it != node->children().crend(); ++it)
            pending.emplace_back(*it, path);
    }
}

void QARFailuresModel::group()
{
    QHash<QString, int> groupOf;
    for (int i = 0; i < m_failures.size(); ++i) {
        const QString key = normalise(m_failures.at(i).message);
        auto found = groupOf.constFind(key);
        if (found == groupOf.cend()) {
            found = groupOf.insert(key, int(m_groups.size()));
            m_groups.append({key, {}});
        }
        m_groups[found.value()].failures.append(i);
    }
    // Largest first; equal sizes keep the order of their first failure.
    std::stable_sort(m_groups.begin(), m_groups.end(), [](const Group &a, const Group &b) {
        return a.failures.size() > b.failures.size();
    });
}

const QARFailuresModel::Failure *QARFailuresModel::failure(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() == GroupRow)
        return nullptr;
    const Group &group = m_groups.at(int(index.internalId() - 1));
    return &m_failures.at(group.failures.at(index.row()));
}

QModelIndex QARFailuresModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid())
        return row < m_groups.size() ? createIndex(row, column, GroupRow) : QModelIndex();
    if (parent.internalId() != GroupRow || parent.column() != 0
        || row >= m_groups.at(parent.row()).failures.size())
        return QModelIndex();
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex QARFailuresModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == GroupRow)
        return QModelIndex();
    return createIndex(int(child.internalId() - 1), 0, GroupRow);
}

int QARFailuresModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    if (parent.internalId() != GroupRow || parent.column() != 0)
        return 0;
    return int(m_groups.at(parent.row()).failures.size());
}

int QARFailuresModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant QARFailuresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole
                             && role != Qt::TextAlignmentRole))
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == CountColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (const Failure *one = failure(index)) {
        if (role == Qt::ToolTipRole)
            return one->message;
        switch (index.column()) {
        case MessageColumn:
            return one->path;
        case FileColumn:
            return QFileInfo(one->file).fileName();
        default:
            return QVariant();
        }
    }
    const Group &group = m_groups.at(index.row());
    switch (index.column()) {
    case MessageColumn:
        return group.key.isEmpty() ? QCoreApplication::translate("QAReporter", "(no message)")
                                   : group.key;
    case CountColumn:
        return int(group.failures.size());
    default:
        return QVariant();
    }
}

QVariant QARFailuresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case MessageColumn:
        return QCoreApplication::translate("QAReporter", "Failure");
    case CountColumn:
        return QCoreApplication::translate("QAReporter", "Tests");
    case FileColumn:
        return QCoreApplication::translate("QAReporter", "File");
    default:
        return QVariant();
    }
}
