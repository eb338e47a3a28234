#pragma once

#include "rendoc/model/ditem.h"
#include <QString>

class DTag;

// One index line: a text and the tag it leads to. A copy has no target; DUpdater resolves a
// missing target to the first DTag named by the text.
class DIEntry : public DItem
{
public:
    DIEntry(const QString& text, DTag* target, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DIEntry(const DIEntry& other);
    DIEntry& operator=(const DIEntry&) = delete;

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    DTag* target() const { return m_target; }
    void setTarget(DTag* target) { m_target = target; }

private:
    QString m_text;
    DTag* m_target;
};
