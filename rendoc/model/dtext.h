#pragma once

#include "rendoc/model/ditem.h"
#include "rendoc/model/dutf8string.h"

#include <QString>

// A run of plain text. The text is kept as UTF-8 (a report holds hundreds of thousands of
// runs) and given out as a QString when shown.
class DText : public DItem
{
public:
    explicit DText(const QString& text, DItemContainer* parent = nullptr, DItem* next = nullptr);
    explicit DText(DUtf8String text, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DText(const DText& other);
    DText& operator=(const DText&) = delete;

    QString text() const { return m_text.toString(); }
    const DUtf8String& utf8Text() const { return m_text; }
    void setText(const QString& text) { m_text = DUtf8String(text); }

private:
    DUtf8String m_text;
};
