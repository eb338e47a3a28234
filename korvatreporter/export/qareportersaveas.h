#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class QAStudioInterface;
class QWidget;

// The report window's save-as command: one save dialog per report file, in
// the order given, each copying the file on disk to the chosen path. The
// dialogs and warnings go through QAModal.
//
// A copy never damages its source: a destination that is the source under
// any spelling of its path (relative parts, "..", a symbolic or hard link)
// is refused like the very same path, and the copy is written to a
// temporary file beside the destination that replaces it only once
// complete, so a failed copy leaves the destination as it was.
class QAReporterSaveAs
{
public:
    // How one copy ended.
    enum CopyResult { Copied, DestinationNotWritable, SourceNotReadable };

    // `parent` parents the dialogs; `caption` titles the warnings.
    QAReporterSaveAs(QWidget *parent, const QString &caption);

    // The caption for warnings: the studio's product name, or "Report"
    // without a studio.
    static QString caption(QAStudioInterface *studio);

    // Asks for a destination for each of `sources` in turn and copies it.
    void run(const QStringList &sources);

    // Whether two paths name one file: the same canonical path, or the
    // same device and inode (hard links). Paths that do not exist name no
    // file.
    static bool sameFile(const QString &a, const QString &b);

    // Copies `source` to `destination` line by line: line ends become the
    // platform's, and the last line gets one even when the source's lacks
    // it. The bytes of each line are copied unchanged, whatever their
    // encoding.
    static CopyResult copy(const QString &source, const QString &destination);

private:
    void saveOne(const QString &source);

    QPointer<QWidget> m_parent;
    QString m_caption;
};
