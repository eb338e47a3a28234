#include "korvatreporter/document/qareporterfilter.h"

#include "korvatreporter/data/qareporternode.h"

#include <algorithm>

void QAReporterFilter::set(int criterion, const QRegularExpression &pattern)
{
    switch (criterion) {
    case NameMatch:
        m_name = pattern;
        break;
    case TypeExclusion:
        m_types.append(pattern);
        ++m_typeCounts[keyOf(pattern)];
        break;
    case StateMatch:
        m_state = pattern;
        break;
    default:
        return;
    }
    m_flags |= criterion;
    forgetResults();
}

void QAReporterFilter::clear(int criterion)
{
    switch (criterion) {
    case NameMatch:
        m_name.reset();
        break;
    case TypeExclusion:
        m_types.clear();
        m_typeCounts.clear();
        break;
    case StateMatch:
        m_state.reset();
        break;
    default:
        return;
    }
    m_flags &= ~criterion;
    forgetResults();
}

void QAReporterFilter::removeTypeExclusion(const QRegularExpression &pattern)
{
    const auto counted = m_typeCounts.find(keyOf(pattern));
    if (counted == m_typeCounts.end())
        return;
    if (--counted.value() == 0)
        m_typeCounts.erase(counted);
    m_types.removeAt(m_types.indexOf(pattern));
    if (m_types.isEmpty())
        m_flags &= ~TypeExclusion;
    forgetResults();
}

void QAReporterFilter::forgetResults()
{
    m_typeMemo = Memo();
    m_stateMemo = Memo();
    m_typeIndex.ready = false;
}

QString QAReporterFilter::keyOf(const QRegularExpression &pattern)
{
    return QString::number(int(pattern.patternOptions())) + QLatin1Char(':') + pattern.pattern();
}

bool QAReporterFilter::isLiteral(const QRegularExpression &pattern)
{
    // Text without any pattern syntax is always a valid pattern; not compiling it saves the
    // work for thousands of hidden types.
    if (pattern.patternOptions() != QRegularExpression::NoPatternOption)
        return false;
    static const QString syntax = QStringLiteral("\\^$.|?*+()[]{}");
    const QString text = pattern.pattern();
    return std::none_of(text.cbegin(), text.cend(),
                        [](QChar c) { return syntax.contains(c); });
}

void QAReporterFilter::TypeIndex::build(const QList<QRegularExpression> &types)
{
    literals.clear();
    patterns.clear();
    for (const QRegularExpression &pattern : types) {
        if (isLiteral(pattern))
            literals.append(pattern.pattern());
        else
            patterns.append(pattern);
    }
    std::sort(literals.begin(), literals.end());
    ready = true;
}

bool QAReporterFilter::TypeIndex::literalBegins(QString type) const
{
    // Every text sorted between a prefix of `type` and `type` itself begins with that prefix,
    // so the greatest literal not after `type` either begins it or shares with it all that a
    // shorter literal could begin: the search goes on with that shared part, which shrinks.
    for (;;) {
        const auto after = std::upper_bound(literals.cbegin(), literals.cend(), type);
        if (after == literals.cbegin())
            return false;
        const QString &candidate = *(after - 1);
        if (type.startsWith(candidate))
            return true;
        const auto shared = std::mismatch(type.cbegin(), type.cend(), candidate.cbegin(),
                                          candidate.cend());
        type.truncate(shared.first - type.cbegin());
    }
}

bool QAReporterFilter::TypeIndex::excludes(const QString &type) const
{
    if (!literals.isEmpty() && literalBegins(type))
        return true;
    return std::any_of(patterns.cbegin(), patterns.cend(), [&type](const QRegularExpression &p) {
        return matchesAtStart(p, type);
    });
}

const bool *QAReporterFilter::Memo::find(const QString &text) const
{
    for (int i = 0; i < Size; ++i) {
        if (!texts[i].isNull() && texts[i].constData() == text.constData()
            && texts[i].size() == text.size())
            return &results[i];
    }
    return nullptr;
}

void QAReporterFilter::Memo::remember(const QString &text, bool result)
{
    texts[next] = text;
    results[next] = result;
    next = (next + 1) % Size;
}

bool QAReporterFilter::typeExcluded(const QString &type) const
{
    if (const bool *known = m_typeMemo.find(type))
        return *known;
    if (!m_typeIndex.ready)
        m_typeIndex.build(m_types);
    const bool excluded = m_typeIndex.excludes(type);
    m_typeMemo.remember(type, excluded);
    return excluded;
}

bool QAReporterFilter::statePasses(const QString &state) const
{
    if (const bool *known = m_stateMemo.find(state))
        return *known;
    const bool passes = matchesAtStart(*m_state, state);
    m_stateMemo.remember(state, passes);
    return passes;
}

bool QAReporterFilter::matchesAtStart(const QRegularExpression &pattern, const QString &text)
{
    // Anchored at offset 0: a later match must not hide, or stand in for, one
    // that begins at the start.
    return pattern
        .match(text, 0, QRegularExpression::NormalMatch,
               QRegularExpression::AnchorAtOffsetMatchOption)
        .hasMatch();
}

int QAReporterFilter::match(const QAReporterNode &node) const
{
    int mask = 0;
    if (!(m_flags & NameMatch) || node.name.isNull() || !m_name
        || matchesAtStart(*m_name, node.name))
        mask |= NameMatch;

    if (!(m_flags & TypeExclusion) || node.type.isNull() || !typeExcluded(node.type))
        mask |= TypeExclusion;

    if (!(m_flags & StateMatch) || node.state.isNull() || !m_state || statePasses(node.state))
        mask |= StateMatch;
    return mask;
}

bool QAReporterFilter::operator==(const QAReporterFilter &other) const
{
    return m_flags == other.m_flags && m_name == other.m_name && m_types == other.m_types
        && m_state == other.m_state;
}
