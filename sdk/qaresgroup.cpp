#include "sdk/qaresgroup.h"

QAResGroup::QAResGroup(const QString& tag, QARes* firstChild)
    : QARes(Group, tag), m_child(firstChild), m_last(firstChild)
{
}

QAResGroup::~QAResGroup()
{
    freeChain(takeChildren());
}

void QAResGroup::setChild(QARes* first)
{
    QARes* old = takeChildren();
    m_child = first;
    m_last = first;
    freeChain(old);
}

QARes* QAResGroup::appendChild(QARes* res)
{
    if (!res)
        return nullptr;
    if (!m_child) {
        m_child = res;
    } else {
        QARes* last = m_last ? m_last : m_child;
        while (last->next())
            last = last->next();
        last->setNext(res);
    }
    m_last = res;
    return res;
}

QARes* QAResGroup::takeChildren()
{
    QARes* first = m_child;
    m_child = nullptr;
    m_last = nullptr;
    return first;
}

int QAResGroup::childCount() const
{
    int count = 0;
    for (QARes* res = m_child; res; res = res->next())
        ++count;
    return count;
}

void QAResGroup::freeChain(QARes* first)
{
    // Work list threaded through the next pointers: a group's children are
    // spliced in front of the rest before the group itself is freed, so its
    // destructor finds no children and nothing recurses.
    QARes* pending = first;
    while (pending) {
        QARes* res = pending;
        pending = res->next();
        res->setNext(nullptr);
        if (QAResGroup* group = res->toResGroup()) {
            if (QARes* children = group->takeChildren()) {
                QARes* tail = children;
                while (tail->next())
                    tail = tail->next();
                tail->setNext(pending);
                pending = children;
            }
        }
        delete res;
    }
}
