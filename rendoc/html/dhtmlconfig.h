#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The settings of an HTML export, read from a "dhtml.cfg" file.
//
// The file is UTF-8 text, one entry a line; blank lines and lines starting with '#' are
// skipped. The first entry is the file-name suffix of the written pages (".html"), unless it
// is a "key = value" entry; every further entry is "key = value" with one of the keys
//
//   suffix     = <.ext>   the file-name suffix, as the bare first entry gives it
//   stylesheet = <href>   a style sheet linked from every page after the built-in styles
//   outline    = yes|no   whether pages carry the outline sidebar (default yes)
//   images     = <dir>    folder, relative to the pages, that copied images go to ("" = beside)
//   outside    = yes|no   whether images and linked reports outside the reports' folders and
//                         the image folder are read (default no)
//   pagesize   = <KiB>    about how large a page may grow before a report is split into
//                         pages (8 to 1000000, 0 never splits; default 2000)
//
// A missing file gives the defaults. A malformed file (a bad suffix, an unknown key, a bad
// value, a line that is not "key = value") gives the defaults as a whole and lists what was
// wrong in errors(), so that a half-understood file never half applies.
class DHTMLConfig
{
    Q_DECLARE_TR_FUNCTIONS(DHTMLConfig)

public:
    DHTMLConfig() = default;

    // Reads path; false (with errors() set and the defaults kept) when the file exists but is
    // malformed or unreadable. A missing file reads as the defaults and answers true.
    bool read(const QString& path);
    // Parses the text of a configuration file; false on a malformed text, as read().
    bool parse(const QString& text);

    const QStringList& errors() const { return m_errors; }

    const QString& suffix() const { return m_suffix; }
    const QString& stylesheet() const { return m_stylesheet; }
    bool outline() const { return m_outline; }
    const QString& imageDir() const { return m_imageDir; }
    bool readOutside() const { return m_readOutside; }
    // The size a page should stay under, in bytes; 0 for no limit.
    qint64 pageBytes() const { return qint64(m_pageKiB) * 1024; }
    int pageKiB() const { return m_pageKiB; }

    void setSuffix(const QString& suffix) { m_suffix = suffix; }
    void setStylesheet(const QString& href) { m_stylesheet = href; }
    void setOutline(bool on) { m_outline = on; }
    void setImageDir(const QString& dir) { m_imageDir = dir; }
    void setReadOutside(bool on) { m_readOutside = on; }
    void setPageKiB(int kib) { m_pageKiB = kib; }

    // The text of a configuration file holding these settings; parse() reads it back.
    QString toText() const;

private:
    QString m_suffix = QStringLiteral(".html");
    QString m_stylesheet;
    bool m_outline = true;
    QString m_imageDir;
    bool m_readOutside = false;
    int m_pageKiB = 2000;
    QStringList m_errors;
};
