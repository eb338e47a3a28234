#include "sdk/qaresrgb.h"

QAResRGB::QAResRGB(const QString& tag, int red, int green, int blue)
    : QARes(RGB, tag), m_red(red), m_green(green), m_blue(blue)
{
}

void QAResRGB::setRGB(int red, int green, int blue)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
}
