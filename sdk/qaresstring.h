#pragma once

#include "sdk/qares.h"

// A text resource; a null value and an empty one are kept apart.
class QAResString : public QARes
{
public:
    explicit QAResString(const QString& tag, const QString& value = QString());

    const QString& value() const { return m_value; }
    void setValue(const QString& value) { m_value = value; }

private:
    QString m_value;
};
