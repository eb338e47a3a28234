#pragma once

#include "rendoc/model/ditem.h"

#include <QString>

// A run of plain text.
class DText : public DItem
{
public:
    explicit DText(const QString& text, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DText(const DText& other);
    DText& operator=(const DText&) = delete;

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    // Adds text at the end (the reader delivers character data in pieces).
    void append(const QString& text);

private:
    QString m_text;
};
