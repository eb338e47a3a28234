#pragma once

#include <QString>

// Path helpers shared by viewers.
class QAFileUtil
{
public:
    // The path of `toPath` relative to the directory `fromDir` ("x.c",
    // "../c/x.c"). Separators may be native; trailing separators are
    // ignored. When the two paths have different roots (or one of them is
    // relative) `toPath` is returned unchanged.
    static QString absPathToRelative(const QString& fromDir, const QString& toPath);

    // What QDir::isRelativePath() answers, without building a QFileInfo for it: writers ask
    // this once or twice per link of a report.
    static bool isRelativePath(const QString& path);

    // Empty when `path` may be opened for reading as a file, else why not. Only regular files
    // are read (symbolic links are followed): opening a named pipe blocks until another
    // process writes to it, and a device or socket never ends, so those are refused before
    // anything opens them.
    static QString readRefusal(const QString& path);
};
