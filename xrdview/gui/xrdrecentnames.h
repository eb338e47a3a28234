#pragma once

#include <QStringList>

// Short names for a list of files, as menus and tabs show them: each file's
// name alone, or with as many of its parent folders as it takes to tell it
// apart from the other files of the list that share its name.
class XrdRecentNames
{
public:
    static QStringList labels(const QStringList& files);
};
