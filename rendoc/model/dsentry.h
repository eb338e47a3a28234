#pragma once

#include "rendoc/model/ditem.h"
#include <QString>

class DTitle;

// One table-of-contents line: a text, a title level and the title it leads to. A copy has no
// target; DUpdater resolves a missing target to the first title whose number text or plain text
// equals the entry text.
class DSEntry : public DItem
{
public:
    DSEntry(const QString& text, int level, DTitle* target, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DSEntry(const DSEntry& other);
    DSEntry& operator=(const DSEntry&) = delete;

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    int level() const { return m_level; }
    void setLevel(int level) { m_level = level; }
    DTitle* target() const { return m_target; }
    void setTarget(DTitle* target) { m_target = target; }

private:
    QString m_text;
    int m_level;
    DTitle* m_target;
};
