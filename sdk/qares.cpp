#include "sdk/qares.h"

#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QStringList>

QARes::QARes(Kind kind, const QString& tag)
    : m_kind(kind), m_tag(tag)
{
}

QARes::~QARes() = default;

bool QARes::isTag(const char* tag) const
{
    return tag && m_tag == QString::fromUtf8(tag);
}

QARes* QARes::child() const
{
    const QAResGroup* group = toResGroup();
    return group ? group->firstChild() : nullptr;
}

QARes* QARes::search(const char* path, char separator) const
{
    if (!path)
        return nullptr;
    return search(QString::fromUtf8(path), QLatin1Char(separator));
}

QARes* QARes::search(const QString& path, QChar separator) const
{
    if (path.isEmpty())
        return nullptr;
    const QStringList parts = path.split(separator);
    QARes* level = const_cast<QARes*>(this);
    QARes* found = nullptr;
    for (const QString& part : parts) {
        found = nullptr;
        for (QARes* res = level; res; res = res->next()) {
            if (res->tag() == part) {
                found = res;
                break;
            }
        }
        if (!found)
            return nullptr;
        level = found->child();
    }
    return found;
}

QAResGroup* QARes::toResGroup()
{
    return m_kind == Group ? static_cast<QAResGroup*>(this) : nullptr;
}

QAResString* QARes::toResString()
{
    return m_kind == String ? static_cast<QAResString*>(this) : nullptr;
}

QAResBoolean* QARes::toResBoolean()
{
    return m_kind == Boolean ? static_cast<QAResBoolean*>(this) : nullptr;
}

QAResRGB* QARes::toResRGB()
{
    return m_kind == RGB ? static_cast<QAResRGB*>(this) : nullptr;
}

QAResInt* QARes::toResInt()
{
    return m_kind == Int ? static_cast<QAResInt*>(this) : nullptr;
}

const QAResGroup* QARes::toResGroup() const
{
    return m_kind == Group ? static_cast<const QAResGroup*>(this) : nullptr;
}

const QAResString* QARes::toResString() const
{
    return m_kind == String ? static_cast<const QAResString*>(this) : nullptr;
}

const QAResBoolean* QARes::toResBoolean() const
{
    return m_kind == Boolean ? static_cast<const QAResBoolean*>(this) : nullptr;
}

const QAResRGB* QARes::toResRGB() const
{
    return m_kind == RGB ? static_cast<const QAResRGB*>(this) : nullptr;
}

const QAResInt* QARes::toResInt() const
{
    return m_kind == Int ? static_cast<const QAResInt*>(this) : nullptr;
}
