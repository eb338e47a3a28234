#include "rendoc/model/dimage.h"

DImage::DImage(const QString& src, int width, int height, DItemContainer* parent, DItem* next)
    : DItem(DItem::Image, parent, next), m_src(src), m_width(width), m_height(height)
{
}

DImage::DImage(const DImage& other)
    : DItem(other), m_src(other.m_src), m_width(other.m_width), m_height(other.m_height)
{
}
