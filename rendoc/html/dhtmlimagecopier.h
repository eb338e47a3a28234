#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class DHTMLWriter;

// Copies the images of exported pages into the export's image folder and gives the href a
// page uses for each. Each source is copied once per export under a name unique in the
// folder; only files that read as images, lie inside the writer's scope and hold at most
// MaxBytes are copied, never over an input report and never through a symbolic link in the
// image folder's path. Problems go to the writer's log; the page shows such an image as
// missing.
class DHTMLImageCopier
{
public:
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    explicit DHTMLImageCopier(const DHTMLWriter& writer) : m_writer(writer) {}

    // The href of the image named src ("" when it is missing or could not be copied). Files
    // copied are appended to written.
    QString href(const QString& src, QStringList& written);

private:
    // The file src names: absolute, else under the image folder, else under the output folder.
    QString sourcePath(const QString& src) const;
    // Why the file at path is not copied ("" when it may be).
    QString refusal(const QString& path) const;
    QString copy(const QString& path, QStringList& written);
    // Whether the configured image folder exists in the output folder and is no symbolic
    // link; why not is logged.
    bool folderReady();
    void log(const QString& text) const;

    const DHTMLWriter& m_writer;
    QHash<QString, QString> m_hrefs;    // source text -> href
    QSet<QString> m_names;              // names taken in the image folder
};
