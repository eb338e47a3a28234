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
};
