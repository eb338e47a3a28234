#pragma once

#include "sdk/qares.h"

// A resource holding a chain of child resources, which it owns. Freeing a
// group frees its whole subtree iteratively, however deep it is.
class QAResGroup : public QARes
{
public:
    // Takes ownership of `firstChild` and the siblings chained after it.
    explicit QAResGroup(const QString& tag, QARes* firstChild = nullptr);
    ~QAResGroup() override;

    QARes* firstChild() const { return m_child; }
    // Replaces the children (freeing the old chain) with `first` and its
    // siblings, taking ownership of them.
    void setChild(QARes* first);
    // Appends `res` (and any siblings chained after it) to the children,
    // taking ownership; returns `res`.
    QARes* appendChild(QARes* res);
    // Gives up ownership of the children and returns the first one.
    QARes* takeChildren();
    int childCount() const;

    // Frees `first`, its siblings and all their descendants without
    // recursion.
    static void freeChain(QARes* first);

private:
    QARes* m_child = nullptr;
    QARes* m_last = nullptr;  // hint for appendChild, always in the chain
};
