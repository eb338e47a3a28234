#pragma once

#include "sdk/qares.h"

// A colour resource as red, green and blue components (0 to 255).
class QAResRGB : public QARes
{
public:
    QAResRGB(const QString& tag, int red, int green, int blue);

    int red() const { return m_red; }
    int green() const { return m_green; }
    int blue() const { return m_blue; }
    void setRGB(int red, int green, int blue);

private:
    int m_red;
    int m_green;
    int m_blue;
};
