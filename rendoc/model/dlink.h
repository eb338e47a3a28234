#pragma once

#include "rendoc/model/ditemcontainer.h"
#include "rendoc/model/dutf8string.h"

#include <QString>

// A hypertext link; its children are the link's visible content. The target text is kept as
// written. Targets of other forms ("xrdlink://..." report links, "src/foo.c line 42" source
// links) are interpreted by the link's consumer; split() is only for places inside documents.
//
// Place grammar used by split(), from the target text T:
//
//   T without ':'                  -> file "",  tag T,   document ""
//   T with exactly one ':'  "a:b"  -> file "",  tag a,   document b
//   T with two or more ':'  "f:a:b" -> file f (everything before the last-but-one ':',
//                                      so "C:/r/x.xrd:t:d" keeps its drive letter), tag a,
//                                      document b
//
// So "::X" names the start of document X, a bare "T12" names the DTag T12, "T12:X" names tag
// T12 in document X and "a.xrd:T12:X" adds a file. Parts are never trimmed; an absent part is
// an empty string; a null or empty target gives three empty strings. A tag name containing ':'
// cannot be named. The three strings go to DRendocView::moveTo unchanged.
class DLink : public DItemContainer
{
public:
    explicit DLink(const QString& target, DItemContainer* parent = nullptr, DItem* next = nullptr);
    // A target already kept as UTF-8 (shared, not copied).
    explicit DLink(DUtf8String target, DItemContainer* parent = nullptr, DItem* next = nullptr);
    // Form for a temporary link made from a tag text; parent is used only when it is a
    // container, and the last item is ignored.
    DLink(const QString& target, DItem* parent, DItem* next, DItem* unused);
    DLink(const DLink& other);
    DLink& operator=(const DLink&) = delete;

    QString target() const { return m_target.toString(); }
    // The target as kept: a link that shows its own target shares these bytes.
    const DUtf8String& utf8Target() const { return m_target; }
    void setTarget(const QString& target) { m_target = DUtf8String(target); }

    // Splits target() into file, tag and document by the grammar above.
    void split(QString& file, QString& tag, QString& document) const;
    static void split(const QString& target, QString& file, QString& tag, QString& document);

private:
    // Kept as UTF-8: a report has a source link per check, each with its own target.
    DUtf8String m_target;
};
