#pragma once

#include "rendoc/html/dhtmlconfig.h"

#include <QString>
#include <QStringList>

class DDocument;
class DHTMLWriter;
class DLogMonitor;
class DProgressMonitor;

// Exports documents as HTML pages into one folder: one page per generate(), named after the
// document with the configuration's file-name suffix. The configuration is read once, at
// construction; a malformed one is reported through the log monitor of the first generate()
// and the defaults are used. Images are looked for in the pixmap directory.
class DExportHtml
{
public:
    DExportHtml(const QString& outDir, const QString& configFile);
    ~DExportHtml();
    DExportHtml(const DExportHtml&) = delete;
    DExportHtml& operator=(const DExportHtml&) = delete;

    const QString& outDir() const { return m_outDir; }
    const DHTMLConfig& config() const { return m_config; }

    void setPixmapDir(const QString& dir) { m_pixmapDir = dir; }
    const QString& pixmapDir() const { return m_pixmapDir; }

    // The writer every page is written with; it gets the configuration at once. The exporter
    // owns it when owned is true.
    void setHTMLWriter(DHTMLWriter* writer, bool owned = false);
    DHTMLWriter* htmlWriter() const { return m_writer; }

    // The file name of document's page: its name (or "document" when it has none) with every
    // character that could leave the folder replaced, and the configuration's suffix.
    QString fileNameFor(const DDocument* document) const;
    // The safe part of a page's file name, before the suffix: name with control characters,
    // characters that could leave the folder or that file systems refuse ("/\:*?"<>|") and a
    // leading '.' or blank at either end replaced by '_', cut between characters to at most
    // MaxPageNameBytes UTF-8 bytes less `reserve` (room for a "-2"), "document" when it is
    // empty. A name it leaves unchanged names its page as it is.
    static constexpr int MaxPageNameBytes = 200;
    static QString pageBaseName(const QString& name, int reserve = 0);

    // Writes document's page. False when the folder or the page cannot be written, or the
    // progress monitor cancelled; the reason goes to the log monitor (not for a cancel) and to
    // errorString(). Either monitor may be null.
    bool generate(DDocument* document, DProgressMonitor* progress, DLogMonitor* log);
    const QString& errorString() const { return m_error; }
    // The pages and images written so far.
    QStringList writtenFiles() const;

private:
    QString m_outDir;
    QString m_pixmapDir;
    DHTMLConfig m_config;
    QStringList m_configErrors;
    DHTMLWriter* m_writer = nullptr;
    bool m_ownsWriter = false;
    QString m_error;
};
