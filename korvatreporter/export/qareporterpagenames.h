#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// The page names of one HTML export, without the suffix every page shares.
//
// Each report file, known by its key (see key()), gets one page named after the file's
// base name (up to the first '.'); a name already given or set aside gets "-2", "-3", … in
// the order the reports are first asked for. Names compare without case, so that the pages
// stay apart on file systems that ignore it.
class QAReporterPageNames
{
public:
    // Keeps a page name (without suffix) from every report, as the summary page's.
    void reserve(const QString& name);
    // The page name of the report file at path, given now if it has none yet.
    QString nameFor(const QString& path);
    // The page name of path, or "" when it has none yet.
    QString find(const QString& path) const;

    // The identity of a report file: its canonical path (links and ".." resolved) when it
    // exists, else its cleaned absolute path.
    static QString key(const QString& path);
    // key(path), worked out once per spelling of a path.
    QString keyOf(const QString& path) const;

private:
    QHash<QString, QString> m_names; // report key -> page name
    QSet<QString> m_taken;           // page names given or reserved, in lower case
    mutable QHash<QString, QString> m_keys; // path as spelled -> report key
};
