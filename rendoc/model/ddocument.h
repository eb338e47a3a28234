#pragma once

#include "rendoc/model/ditemcontainer.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

class DColor;
class DFont;
class DStyle;

// The root of one document: a title, a name that links use to reach it ("::name"), and the
// colours, fonts and styles defined locally in it, which it owns.
//
// A document without a parent owns the documents chained after it through next (a file may
// hold several documents chained to the first): deleting the first frees them all.
// The copy constructor copies title, name and deep copies of the local definitions.
class DDocument : public DItemContainer
{
public:
    DDocument(const QString& title, const QString& name, DItemContainer* parent = nullptr,
              DItem* next = nullptr);
    DDocument(const DDocument& other);
    DDocument& operator=(const DDocument&) = delete;
    ~DDocument() override;

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Local definitions, in the order they were added. The document owns them.
    void addColor(std::unique_ptr<DColor> color);
    void addFont(std::unique_ptr<DFont> font);
    void addStyle(std::unique_ptr<DStyle> style);
    QList<DColor*> colors() const;
    QList<DFont*> fonts() const;
    QList<DStyle*> styles() const;
    // The first local definition of that name (case-sensitive), null when none.
    DColor* findColor(const QString& name) const;
    DFont* findFont(const QString& name) const;
    DStyle* findStyle(const QString& name) const;

private:
    QString m_title;
    QString m_name;
    std::vector<std::unique_ptr<DColor>> m_colors;
    std::vector<std::unique_ptr<DFont>> m_fonts;
    std::vector<std::unique_ptr<DStyle>> m_styles;
};
