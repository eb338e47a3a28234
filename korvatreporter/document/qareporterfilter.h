#pragma once

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

class QAReporterNode;

// The criteria that decide which report nodes a window shows.
//
// Three criteria, each named by its flag value: a name pattern (NameMatch),
// a list of excluded type patterns (TypeExclusion) and a state pattern
// (StateMatch). A pattern counts only when it matches at the very start of
// the field (a match further on does not count), and a null field always
// passes, so the root of a report tree, whose fields are all null, is always
// accepted. The filter is a plain value: a copy holds its own patterns.
class QAReporterFilter
{
public:
    enum Criterion { NameMatch = 1, TypeExclusion = 2, StateMatch = 4 };
    // Mask returned by match() for a node that passes every criterion.
    static constexpr int Accepted = NameMatch | TypeExclusion | StateMatch;

    QAReporterFilter() = default;

    // NameMatch and StateMatch replace their pattern, TypeExclusion appends
    // one to its list; the criterion's flag is set. Any other value does
    // nothing.
    void set(int criterion, const QRegularExpression &pattern);
    // Drops the criterion's pattern (or the whole type list) and clears its
    // flag. Any other value does nothing.
    void clear(int criterion);
    // Removes the first excluded type pattern equal to `pattern` (same
    // pattern text and options); when the list becomes empty the
    // TypeExclusion flag is cleared. Without an equal entry nothing changes.
    void removeTypeExclusion(const QRegularExpression &pattern);

    // The accept mask of a node, 0 to 7: 1 when the name passes, 2 when the
    // type is not excluded, 4 when the state passes. Accepted means kept.
    int match(const QAReporterNode &node) const;

    // Same criteria with the same patterns, in the same order.
    bool operator==(const QAReporterFilter &other) const;
    bool operator!=(const QAReporterFilter &other) const { return !(*this == other); }

    int flags() const { return m_flags; }
    bool isSet(int criterion) const { return (m_flags & criterion) != 0; }
    const std::optional<QRegularExpression> &namePattern() const { return m_name; }
    const QList<QRegularExpression> &typePatterns() const { return m_types; }
    const std::optional<QRegularExpression> &statePattern() const { return m_state; }

    // True when `pattern` matches `text` starting at position 0.
    static bool matchesAtStart(const QRegularExpression &pattern, const QString &text);

private:
    // Results of the type and state tests for the last texts tested. Nodes
    // share their type and verdict texts, so most tests meet a text seen
    // just before: the same data (held here, so it cannot be reused) means
    // the same text and the same answer, without running the pattern.
    struct Memo
    {
        static constexpr int Size = 4;
        const bool *find(const QString &text) const;
        void remember(const QString &text, bool result);
        QString texts[Size];
        bool results[Size] = {};
        int next = 0;
    };
    // The excluded types split for a fast test, made again after the list changes: patterns
    // that are plain text (no pattern syntax) match the types they begin, so they are kept
    // sorted and tested by a binary search; the others are run one by one. Thousands of
    // hidden types therefore cost a look-up per node, not a pattern each.
    struct TypeIndex
    {
        bool ready = false;
        QStringList literals;
        QList<QRegularExpression> patterns;
        void build(const QList<QRegularExpression> &types);
        bool excludes(const QString &type) const;
        bool literalBegins(QString type) const;
    };
    static bool isLiteral(const QRegularExpression &pattern);
    static QString keyOf(const QRegularExpression &pattern);
    bool typeExcluded(const QString &type) const;
    bool statePasses(const QString &state) const;
    void forgetResults();

    int m_flags = 0;
    std::optional<QRegularExpression> m_name;
    QList<QRegularExpression> m_types;
    QHash<QString, int> m_typeCounts; // entries of m_types by keyOf(), for removal without a scan
    mutable TypeIndex m_typeIndex;
    std::optional<QRegularExpression> m_state;
    mutable Memo m_typeMemo;
    mutable Memo m_stateMemo;
};
