#pragma once

#include "rendoc/model/ditemcontainer.h"
#include "rendoc/model/dutf8string.h"

#include <QByteArrayView>
#include <QString>

// A heading of a level from 0 (document title) to 6; its children are the heading text. The number
// text ("1", "1.2", ...) is filled in by DUpdater for levels 1 to 6.
class DTitle : public DItemContainer
{
public:
    DTitle(int level, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DTitle(const DTitle& other);
    DTitle& operator=(const DTitle&) = delete;

    int level() const { return m_level; }
    QString numberText() const { return m_numberText.toString(); }
    void setNumberText(const QString& numberText) { m_numberText = DUtf8String(numberText); }
    // The number as UTF-8 (ASCII digits and dots).
    void setNumberUtf8(QByteArrayView utf8) { m_numberText = DUtf8String(utf8); }

private:
    int m_level;
    // Kept as UTF-8: every title of a large report has one.
    DUtf8String m_numberText;
};
