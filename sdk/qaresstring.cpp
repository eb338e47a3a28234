#include "sdk/qaresstring.h"

QAResString::QAResString(const QString& tag, const QString& value)
    : QARes(String, tag), m_value(value)
{
}
