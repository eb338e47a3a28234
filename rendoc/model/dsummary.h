#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QList>

class DTitle;

// A table of contents. DUpdater fills titles() with the numbered titles (levels 1 to 6) of the
// enclosing document in document order; the list does not own them and copies start empty.
class DSummary : public DItemContainer
{
public:
    explicit DSummary(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DSummary(const DSummary& other);
    DSummary& operator=(const DSummary&) = delete;

    const QList<DTitle*>& titles() const { return m_titles; }
    void setTitles(const QList<DTitle*>& titles) { m_titles = titles; }

private:
    QList<DTitle*> m_titles;
};
