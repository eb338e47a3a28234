#include "sdk/qaresboolean.h"

QAResBoolean::QAResBoolean(const QString& tag, bool value)
    : QARes(Boolean, tag), m_value(value)
{
}
