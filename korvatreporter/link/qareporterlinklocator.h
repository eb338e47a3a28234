#pragma once

class DItem;
class QAReporterDataTree;
class QAReporterNode;

// Maps a link item of a report document back to the report node whose text
// holds it. Both walks use explicit stacks, so trees and documents of any
// depth are searched without recursion.
class QAReporterLinkLocator
{
public:
    QAReporterLinkLocator() = delete;

    // Whether `link` lies in the span that starts at `first` and ends at
    // `last`: it is one of the two, or it is met walking from `first` along
    // its siblings, each item before its children, before `last` has been
    // passed (the descendants of `last` still count). Running off the end of
    // `first`'s own sibling chain answers false.
    static bool inSpan(const DItem *link, const DItem *first, const DItem *last);

    // The node of `tree` that holds `link`: the innermost node whose span
    // holds it when that node has a base, otherwise that node's parent
    // (whatever the parent's base). Null when no node holds it.
    static QAReporterNode *findNode(const QAReporterDataTree &tree, const DItem *link);
};
