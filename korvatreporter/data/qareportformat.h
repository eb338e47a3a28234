#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QAReportReader;
class QIODevice;

// One kind of report file the viewer reads. A format is told apart by the
// content of a file, its first bytes (for XML formats, the root element
// they open), never by the file's name; the name patterns only serve the
// file dialogs.
class QAReportFormat
{
public:
    virtual ~QAReportFormat();

    // The translated name shown in file filters, e.g. "JUnit XML results".
    virtual QString name() const = 0;
    // File name patterns of the format, e.g. "*.xml".
    virtual QStringList patterns() const = 0;
    // True when a file starting with `head` (its first HeadBytes bytes, or
    // all of a shorter file) is one of the format's files.
    virtual bool recognises(const QByteArray &head) const = 0;
    // A new reader for one file of the format.
    virtual std::unique_ptr<QAReportReader> createReader() const = 0;

    // The file filter of the format: "name (patterns)".
    QString filter() const;

    // How much of a file is looked at to recognise it: enough for an XML
    // declaration and any comments or document type declaration a writer
    // puts before the root element.
    static constexpr qint64 HeadBytes = 1024 * 1024;
    // The first bytes of the file on `device`, without consuming them.
    static QByteArray head(QIODevice &device);
    // The qualified name of the root element of the XML document starting
    // with `head`; null when those bytes do not reach a start tag (not XML,
    // or a very long prolog).
    static QString rootElement(const QByteArray &head);
};
