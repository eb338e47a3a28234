#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QList>

class DTag;

// An index of the document's tags. DUpdater fills entries() with the named DTags of the updated
// tree in document order; the list does not own them and copies start empty.
class DIndex : public DItemContainer
{
public:
    explicit DIndex(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DIndex(const DIndex& other);
    DIndex& operator=(const DIndex&) = delete;

    const QList<DTag*>& entries() const { return m_entries; }
    void setEntries(const QList<DTag*>& entries) { m_entries = entries; }

private:
    QList<DTag*> m_entries;
};
