#include "rendoc/model/dlink.h"

#include <utility>

DLink::DLink(const QString& target, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Link, parent, next), m_target(target)
{
}

DLink::DLink(DUtf8String target, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Link, parent, next), m_target(std::move(target))
{
}

DLink::DLink(const QString& target, DItem* parent, DItem* next, DItem* /*unused*/)
    : DItemContainer(DItem::Link, parent ? parent->toContainer() : nullptr, next),
      m_target(target)
{
}

DLink::DLink(const DLink& other)
    : DItemContainer(other), m_target(other.m_target)
{
}

void DLink::split(QString& file, QString& tag, QString& document) const
{
    split(m_target.toString(), file, tag, document);
}

void DLink::split(const QString& target, QString& file, QString& tag, QString& document)
{
    // Absent parts are empty rather than null, so callers may compare or test isEmpty alike.
    file = QLatin1String("");
    tag = QLatin1String("");
    document = QLatin1String("");
    const qsizetype last = target.lastIndexOf(QLatin1Char(':'));
    if (last < 0) {
        tag.append(target);
        return;
    }
    document.append(target.mid(last + 1));
    const qsizetype before = last > 0 ? target.lastIndexOf(QLatin1Char(':'), last - 1) : -1;
    if (before < 0) {
        tag.append(target.left(last));
        return;
    }
    file.append(target.left(before));
    tag.append(target.mid(before + 1, last - before - 1));
}
