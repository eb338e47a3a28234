#pragma once

#include <QList>
#include <QString>

// A defect as the "New defect" dialog hands it to a tracker: a headline, a
// description (lines ended by "\n") and the files attached to it.
struct XrdDefect
{
    struct Attachment
    {
        QString path;        // absolute path of the attached file
        QString description; // what the file is, e.g. "Report File"
    };

    QString headline;
    QString description;
    QList<Attachment> attachments;
};
