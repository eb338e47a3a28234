#include "rendoc/model/dparagraph.h"

DParagraph::DParagraph(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Paragraph, parent, next)
{
}

DParagraph::DParagraph(const DParagraph& other)
    : DItemContainer(other)
{
}
