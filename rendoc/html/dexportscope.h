#pragma once

#include <QString>
#include <QStringList>

// The folders an export may read files from (images, linked reports), so that a report cannot
// pull a private file into pages meant for sharing. A file is inside when its canonical path
// (links and ".." resolved; the cleaned absolute path for a file that does not exist) lies
// below one of the folders. An empty scope holds every file.
class DExportScope
{
public:
    // Adds folder (resolved to its canonical path); an empty or missing folder adds nothing.
    void addFolder(const QString& folder);
    bool isEmpty() const { return m_folders.isEmpty(); }
    bool contains(const QString& path) const;
    const QStringList& folders() const { return m_folders; }

private:
    QStringList m_folders; // canonical, each ending with '/'
};
