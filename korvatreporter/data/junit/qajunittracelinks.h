#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// Turns the stack frames of failure traces into source links: a frame that
// names a file and a line ("Cart.java:74", "tests/test_x.py:12",
// "file.cpp(33)", Python's `File "x.py", line 12`) links to that file when it
// is found under the report's folder. A bare name is looked up among the
// folder's files, listed once on first need, breadth first: at most
// MaxEntries entries (files and folders alike, so that a tree of empty folders
// is bounded too) MaxDepth folders deep, so that a report at the top of a large
// tree costs a bounded walk; hidden folders are passed over.
class QAJUnitTraceLinks
{
public:
    static constexpr int MaxEntries = 20000;
    static constexpr int MaxDepth = 8;

    // Where the frame stands in its line, and the link target "PATH line N"
    // (PATH relative to the folder); an empty target when the line names no
    // frame or its file is not there.
    struct Frame
    {
        qsizetype start = 0;
        qsizetype length = 0;
        QString target;
    };

    // `folder` is the report's folder; an empty one finds nothing. `maxEntries`
    // bounds the listing (tests give a small one).
    explicit QAJUnitTraceLinks(const QString &folder, int maxEntries = MaxEntries);

    Frame frame(QStringView line);
    // False when the line cannot name a frame: it is not scanned.
    static bool mayNameFrame(QStringView line);

private:
    // The path, relative to the folder, of the file a frame names; null when
    // it is not under the folder.
    QString find(const QString &named);
    void listFiles();

    QString m_folder;
    int m_maxEntries;
    bool m_listed = false;
    QHash<QString, QStringList> m_byName; // file name -> relative paths, sorted
    QHash<QString, QString> m_found;      // named -> relative path or null
};
