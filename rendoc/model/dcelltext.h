#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A table cell holding a plain text, with span values like DCell; it may hold further children
// after its text.
class DCellText : public DItemContainer
{
public:
    DCellText(const QString& text, int hspan, int vspan, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DCellText(const DCellText& other);
    DCellText& operator=(const DCellText&) = delete;

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    int hspan() const { return m_hspan; }
    void setHspan(int hspan) { m_hspan = hspan; }
    int vspan() const { return m_vspan; }
    void setVspan(int vspan) { m_vspan = vspan; }

private:
    QString m_text;
    int m_hspan;
    int m_vspan;
};
