#include "korvatreporter/document/qareporterfilter.h"

#include "korvatreporter/data/qareporternode.h"

void QAReporterFilter::set(int criterion, const QRegularExpression &pattern)
{
    switch (criterion) {
    case NameMatch:
        m_name = pattern;
        break;
    case TypeExclusion:
        m_types.append(pattern);
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
    const qsizetype index = m_types.indexOf(pattern);
    if (index < 0)
        return;
    m_types.removeAt(index);
    if (m_types.isEmpty())
        m_flags &= ~TypeExclusion;
    forgetResults();
}

void QAReporterFilter::forgetResults()
{
    m_typeMemo = Memo();
    m_stateMemo = Memo();
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
    bool excluded = false;
    for (const QRegularExpression &pattern : m_types) {
        if (matchesAtStart(pattern, type)) {
            excluded = true;
            break;
        }
    }
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
