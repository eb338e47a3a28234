#include "rendoc/view/dviewframe.h"

#include "rendoc/model/ditem.h"
#include "rendoc/model/ditemcontainer.h"

DItem* DViewFrame::linkAt(int pos) const
{
    for (const Span& span : spans)
        if (span.link && pos >= span.start && pos < span.start + span.length)
            return span.link;
    return nullptr;
}

int DViewFrame::positionOf(const DItem* item) const
{
    for (const Span& span : spans) {
        for (const DItem* p = span.item; p; p = p->parent()) {
            if (p == item)
                return span.start;
        }
        if (span.link == item)
            return span.start;
    }
    return -1;
}
