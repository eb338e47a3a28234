#include "korvatreporter/window/qartreefilter.h"

#include <QRegularExpression>

#include <algorithm>
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
    m_matchers.clear();
    for (const QString &word : std::as_const(m_words))
        m_matchers.emplace_back(word, Qt::CaseInsensitive);
    return true;
}

void QARTreeFilter::reset()
{
    m_partial.clear();
    m_roots.clear();
}

quint64 QARTreeFilter::wordsIn(const QString &name) const
{
    quint64 found = 0;
    for (size_t i = 0; i < m_matchers.size(); ++i) {
        if (m_matchers[i].indexIn(name) >= 0)
            found |= quint64(1) << i;
    }
    return found;
}

bool QARTreeFilter::highlights(const QString &name) const
{
    return isActive() && wordsIn(name) != 0;
}

void QARTreeFilter::show(const Node *node)
{
    // The walk meets nodes in document order, so each list grows in order.
    // The climb stops at the first ancestor already shown: each node is
    // shown once, and the matches cost one step per shown node.
    for (const Node *up = node->parent(); up; node = up, up = up->parent()) {
        auto it = m_partial.find(up);
        const bool known = it != m_partial.end();
        if (!known)
            it = m_partial.insert(up, {});
        it.value().append(node);
        if (known)
            return;
    }
}

void QARTreeFilter::apply(const QList<const Node *> &roots)
{
    reset();
    for (const Node *root : roots)
        m_roots.insert(root);
    if (!isActive())
        return;

    const quint64 all = m_words.size() == 64 ? ~quint64(0) : (quint64(1) << m_words.size()) - 1;
    // Depth first in document order with the words met on the way down; a
    // match ends the descent, its subtree is shown as it is.
    std::vector<std::pair<const Node *, quint64>> pending;
    for (const Node *root : roots) {
        m_partial.insert(root, {});
        for (auto it = root->children().crbegin(); it != root->children().crend(); ++it)
            pending.emplace_back(*it, 0);
        while (!pending.empty()) {
            const auto [node, above] = pending.back();
            pending.pop_back();
            const quint64 met = above | (node->data() ? wordsIn(node->data()->name) : 0);
            if (met == all) {
                show(node);
                continue;
            }
            for (auto it = node->children().crbegin(); it != node->children().crend(); ++it)
                pending.emplace_back(*it, met);
        }
    }
}

const QList<const QARTreeFilter::Node *> *QARTreeFilter::shownChildren(const Node *node) const
{
    const auto it = m_partial.constFind(node);
    return it == m_partial.cend() ? nullptr : &it.value();
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
    const QList<const Node *> *siblings =
        isActive() && node->parent() ? shownChildren(node->parent()) : nullptr;
    if (!siblings)
        return node->row();
    // The shown siblings are in document order: their own rows ascend.
    const auto it = std::lower_bound(siblings->cbegin(), siblings->cend(), node->row(),
                                     [](const Node *sibling, int row) { return sibling->row() < row; });
    return it != siblings->cend() && *it == node ? int(it - siblings->cbegin()) : -1;
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
            return row(node) >= 0;
    }
    return m_roots.contains(node);
}
