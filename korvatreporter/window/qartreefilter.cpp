#include "korvatreporter/window/qartreefilter.h"

#include <QRegularExpression>

#include <utility>
#include <vector>

bool QARTreeFilter::setText(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList words = text.split(space, Qt::SkipEmptyParts);
    if (words.size() > MaxWords)
        words.erase(words.begin() + MaxWords, words.end());
    if (words == m_words)
        return false;
    m_words = std::move(words);
    return true;
}

void QARTreeFilter::reset()
{
    m_partial.clear();
    m_rows.clear();
    m_roots.clear();
}

quint64 QARTreeFilter::wordsIn(const QString &name) const
{
    quint64 found = 0;
    for (int i = 0; i < m_words.size(); ++i) {
        if (name.contains(m_words.at(i), Qt::CaseInsensitive))
            found |= quint64(1) << i;
    }
    return found;
}

bool QARTreeFilter::highlights(const QString &name) const
{
    return isActive() && wordsIn(name) != 0;
}

void QARTreeFilter::markAncestors(const Node *node)
{
    // Stops at the first ancestor already marked: each node is marked once,
    // so the marks of all matches cost one step per shown node.
    for (const Node *up = node->parent(); up && !m_partial.contains(up); up = up->parent())
        m_partial.insert(up, {});
}

void QARTreeFilter::apply(const QList<const Node *> &roots)
{
    reset();
    for (const Node *root : roots)
        m_roots.insert(root);
    if (!isActive())
        return;

    const quint64 all = m_words.size() == 64 ? ~quint64(0) : (quint64(1) << m_words.size()) - 1;
    QSet<const Node *> matches;
    // Depth first with the words met on the way down; a match ends the
    // descent, its subtree is shown as it is.
    std::vector<std::pair<const Node *, quint64>> pending;
    for (const Node *root : roots) {
        m_partial.insert(root, {});
        for (const Node *child : root->children())
            pending.emplace_back(child, 0);
    }
    while (!pending.empty()) {
        const auto [node, above] = pending.back();
        pending.pop_back();
        const quint64 met = above | (node->data() ? wordsIn(node->data()->name) : 0);
        if (met == all) {
            matches.insert(node);
            markAncestors(node);
            continue;
        }
        for (const Node *child : node->children())
            pending.emplace_back(child, met);
    }

    // The shown children of every way to a match, in document order.
    for (auto it = m_partial.begin(); it != m_partial.end(); ++it) {
        const Node *node = it.key();
        for (const Node *child : node->children()) {
            if (matches.contains(child) || m_partial.contains(child)) {
                m_rows.insert(child, int(it.value().size()));
                it.value().append(child);
            }
        }
    }
}

int QARTreeFilter::childCount(const Node *node) const
{
    if (!isActive() || !node)
        return node ? int(node->children().size()) : 0;
    const auto it = m_partial.constFind(node);
    if (it != m_partial.cend())
        return int(it.value().size());
    // A root with no match has no rows; below a match the node's own.
    return m_roots.contains(node) ? 0 : int(node->children().size());
}

const QARTreeFilter::Node *QARTreeFilter::child(const Node *node, int row) const
{
    if (!node || row < 0)
        return nullptr;
    if (isActive()) {
        const auto it = m_partial.constFind(node);
        if (it != m_partial.cend())
            return row < it.value().size() ? it.value().at(row) : nullptr;
        if (m_roots.contains(node))
            return nullptr;
    }
    return row < node->children().size() ? node->children().at(row) : nullptr;
}

int QARTreeFilter::row(const Node *node) const
{
    if (!node)
        return -1;
    if (isActive() && node->parent() && m_partial.contains(node->parent()))
        return m_rows.value(node, -1);
    return node->row();
}

bool QARTreeFilter::isShown(const Node *node) const
{
    if (!node)
        return false;
    if (!isActive())
        return true;
    for (; node->parent(); node = node->parent()) {
        // Ways to a match are shown all the way up: the answer is known.
        if (m_partial.contains(node->parent()))
            return m_rows.contains(node);
    }
    return m_roots.contains(node);
}
