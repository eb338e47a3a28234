#pragma once

#include "sdk/qares.h"

// A boolean resource.
class QAResBoolean : public QARes
{
public:
    explicit QAResBoolean(const QString& tag, bool value = false);

    bool value() const { return m_value; }
    void setValue(bool value) { m_value = value; }

private:
    bool m_value;
};
