#include "sdk/qaresint.h"

QAResInt::QAResInt(const QString& tag, int value)
    : QARes(Int, tag), m_value(value)
{
}
