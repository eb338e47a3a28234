#include "xrdview/host/xrdresourcestore.h"

#include "sdk/qaresgroup.h"
#include "sdk/qaresproducer.h"
#include "sdk/qaresxml.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Removes the child tagged `tag` from `group` and frees it.
void dropChild(QAResGroup* group, const QString& tag)
{
    QARes* first = group->takeChildren();
    QARes* keptFirst = nullptr;
    QARes* keptLast = nullptr;
    for (QARes* res = first; res;) {
        QARes* next = res->next();
        res->setNext(nullptr);
        if (res->tag() == tag) {
            QAResGroup::freeChain(res);
        } else {
            if (keptLast)
                keptLast->setNext(res);
            else
                keptFirst = res;
            keptLast = res;
        }
        res = next;
    }
    group->setChild(keptFirst);
}

} // namespace

const char* const XrdResourceStore::RootTag = "XRDVIEW";

std::unique_ptr<QARes> XrdResourceStore::load(const QString& path, QString* error)
{
    if (!QFileInfo::exists(path))
        return nullptr;
    QString why;
    std::unique_ptr<QARes> root = QAResXml::readFile(path, &why);
    if (!root && error)
        *error = tr("The settings file %1 cannot be read: %2").arg(path, why);
    return root;
}

bool XrdResourceStore::save(const QString& path, const QList<QAResProducer*>& producers,
                            QString* error)
{
    std::unique_ptr<QARes> stored;
    if (QFileInfo::exists(path)) {
        QString why;
        stored = QAResXml::readFile(path, &why);
        if (!stored || stored->kind() != QARes::Group) {
            // Keep the unreadable file for the user rather than overwrite it.
            const QString backup = path + QStringLiteral(".bad");
            QFile::remove(backup);
            QFile::rename(path, backup);
            stored.reset();
        }
    }
    std::unique_ptr<QAResGroup> root;
    if (stored)
        root.reset(static_cast<QAResGroup*>(stored.release()));
    else
        root = std::make_unique<QAResGroup>(QString::fromLatin1(RootTag));

    for (QAResProducer* producer : producers) {
        QARes* produced = producer ? producer->produceResources(nullptr) : nullptr;
        if (!produced)
            continue;
        QAResGroup::freeChain(produced->next()); // a producer hands one tree
        produced->setNext(nullptr);
        dropChild(root.get(), produced->tag());
        root->appendChild(produced);
    }

    QDir().mkpath(QFileInfo(path).absolutePath());
    QString why;
    if (!QAResXml::writeFile(root.get(), path, &why)) {
        if (error)
            *error = tr("The settings file %1 cannot be written: %2").arg(path, why);
        return false;
    }
    return true;
}
