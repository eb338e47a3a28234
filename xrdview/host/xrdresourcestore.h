#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <memory>

class QARes;
class QAResProducer;

// The user's settings file: one resource tree stored as XML, under a root
// group whose children are the groups of the registered producers (e.g.
// "REPORTER"). Reading it gives the tree the plug-in is initialised with;
// saving asks every producer for its group and replaces the stored group
// of the same tag, keeping the others.
class XrdResourceStore
{
    Q_DECLARE_TR_FUNCTIONS(XrdResourceStore)

public:
    static const char* const RootTag;

    // The stored tree, or null when the file does not exist (no error) or
    // cannot be read (`*error` set).
    static std::unique_ptr<QARes> load(const QString& path, QString* error = nullptr);

    // Writes the producers' resources into `path`. A stored file that does
    // not read is kept beside it as "<path>.bad" instead of being lost.
    static bool save(const QString& path, const QList<QAResProducer*>& producers,
                     QString* error = nullptr);
};
