#pragma once

#include "rendoc/model/ditem.h"
#include <QString>

// An image by file name, with its size in pixels (0 = natural size).
class DImage : public DItem
{
public:
    DImage(const QString& src, int width, int height, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DImage(const DImage& other);
    DImage& operator=(const DImage&) = delete;

    const QString& src() const { return m_src; }
    void setSrc(const QString& src) { m_src = src; }
    int width() const { return m_width; }
    void setWidth(int width) { m_width = width; }
    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }

private:
    QString m_src;
    int m_width;
    int m_height;
};
