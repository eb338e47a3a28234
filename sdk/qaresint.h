#pragma once

#include "sdk/qares.h"

// An integer resource.
class QAResInt : public QARes
{
public:
    explicit QAResInt(const QString& tag, int value = 0);

    int value() const { return m_value; }
    void setValue(int value) { m_value = value; }

private:
    int m_value;
};
