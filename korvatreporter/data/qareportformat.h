#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QAReportReader;
class QIODevice;

// One kind of report file the viewer reads. A format is told apart by the
// content of a file, its root element, never by the file's name; the name
// patterns only serve the file dialogs.
class QAReportFormat
{
public:
    virtual ~QAReportFormat();

    // The translated name shown in file filters, e.g. "JUnit XML results".
    virtual QString name() const = 0;
    // File name patterns of the format, e.g. "*.xml".
    virtual QStringList patterns() const = 0;
    // True when a file whose root element has this qualified name is one of
    // the format's files.
    virtual bool recognises(const QString &rootElement) const = 0;
    // A new reader for one file of the format.
    virtual std::unique_ptr<QAReportReader> createReader() const = 0;

    // The file filter of the format: "name (patterns)".
    QString filter() const;

    // The qualified name of the root element of the XML document on
    // `device`, read from its first bytes without consuming them; null when
    // those bytes do not reach a start tag (not XML, or a very long prolog).
    static QString rootElement(QIODevice &device);
};
