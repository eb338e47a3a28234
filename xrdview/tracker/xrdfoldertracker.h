#pragma once

#include "xrdview/tracker/xrddefect.h"

#include <QCoreApplication>
#include <QString>

// Keeps defects as Markdown files in a folder: "defect-<date>-<time>.md"
// with the headline as its title, the description verbatim and links to
// copies of the attachments saved beside it ("<same name>-<file name>").
// An earlier defect is never overwritten: a name already taken gets a
// number ("-2", "-3", ...).
class XrdFolderTracker
{
    Q_DECLARE_TR_FUNCTIONS(XrdFolderTracker)

public:
    explicit XrdFolderTracker(const QString& folder);

    // Writes `defect`; `written` gets the Markdown file's path. On failure
    // nothing is left behind and `error` says why.
    bool submit(const XrdDefect& defect, QString* written, QString* error) const;

    // The Markdown text of `defect` whose attachment copies are named
    // `copies` (file names, in the attachments' order).
    static QString markdown(const XrdDefect& defect, const QStringList& copies);

private:
    QString m_folder;
};
