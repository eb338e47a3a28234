#pragma once

#include <QString>

class QAResGroup;
class QAResString;
class QAResBoolean;
class QAResRGB;
class QAResInt;

// A node of the host's resource tree: a tagged value or a group of
// resources. Siblings are chained through next(); a group owns its chain
// of children, a resource does not own its next sibling.
class QARes
{
public:
    enum Kind { Group, String, Boolean, RGB, Int };

    QARes(const QARes&) = delete;
    QARes& operator=(const QARes&) = delete;
    virtual ~QARes();

    Kind kind() const { return m_kind; }
    const QString& tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    bool isTag(const char* tag) const;

    QARes* next() const { return m_next; }
    void setNext(QARes* next) { m_next = next; }
    // First child of a group; null for every other kind.
    QARes* child() const;

    // Finds the resource a path of tags names ("A.B.C" with '.'): the first
    // element is looked for in this resource and its next siblings, each
    // further one among the children of the group found before.
    QARes* search(const char* path, char separator = '.') const;
    QARes* search(const QString& path, QChar separator = QLatin1Char('.')) const;

    QAResGroup* toResGroup();
    QAResString* toResString();
    QAResBoolean* toResBoolean();
    QAResRGB* toResRGB();
    QAResInt* toResInt();
    const QAResGroup* toResGroup() const;
    const QAResString* toResString() const;
    const QAResBoolean* toResBoolean() const;
    const QAResRGB* toResRGB() const;
    const QAResInt* toResInt() const;

protected:
    QARes(Kind kind, const QString& tag);

private:
    Kind m_kind;
    QString m_tag;
    QARes* m_next = nullptr;
};
