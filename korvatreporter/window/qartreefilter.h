#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QStringMatcher>

#include <vector>

// Which report nodes the tree shows for the words typed in its filter line.
// A node matches when every word occurs, ignoring case, in the name of the
// node or of one of its ancestors (its path); a matching node is shown with
// its whole subtree, and the ancestors of a match are shown so that it can
// be reached. Without words everything is shown.
//
// The filter keeps, for each ancestor shown only for a match below it, the
// list of its shown children in document order: the tree model answers
// rowCount() and index() from it in constant time and parent() by a binary
// search of the child's own row in it. Nodes under a match keep their own
// children and rows.
class QARTreeFilter
{
public:
    using Node = QTree<QAReporterNode>::QTreeNode;

    // At most this many words count; the rest of the text is ignored.
    static constexpr int MaxWords = 64;

    // Takes the words of `text` (split on white space). True when they
    // differ from the words held before.
    bool setText(const QString &text);
    const QStringList &words() const { return m_words; }
    bool isActive() const { return !m_words.isEmpty(); }

    // Works out the shown nodes of the trees under `roots`, in one pass
    // without recursion. Roots are always shown, with no rows when nothing
    // under them matches.
    void apply(const QList<const Node *> &roots);
    // Forgets the shown nodes (the trees are about to go).
    void reset();

    // The shown children of a shown `node`, and the row of a shown node
    // among its parent's shown children.
    int childCount(const Node *node) const;
    const Node *child(const Node *node, int row) const;
    int row(const Node *node) const;
    // Whether `node`, a node of the trees applied, is a row now: every
    // step from it up to its root is shown. Costs one step per level.
    bool isShown(const Node *node) const;
    // The nodes shown only because something below them matches, roots
    // included, in no particular order: the rows to open to see every match.
    QList<const Node *> ancestorsOfMatches() const { return m_partial.keys(); }
    // Whether a name holds one of the words: such rows are highlighted.
    bool highlights(const QString &name) const;

private:
    quint64 wordsIn(const QString &name) const;
    // Shows `node` under its parent, and every ancestor not shown yet as a
    // way to a match under its own parent.
    void show(const Node *node);
    // The shown children of a way to a match; null for any other node.
    const QList<const Node *> *shownChildren(const Node *node) const;

    QStringList m_words;
    std::vector<QStringMatcher> m_matchers; // one per word, ignoring case
    // Nodes shown for a match below them -> their shown children, in order.
    QHash<const Node *, QList<const Node *>> m_partial;
    QSet<const Node *> m_roots;
};
