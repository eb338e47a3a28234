#pragma once

#include <QStringList>

#include <vector>

class QAReportFormat;
class QIODevice;

// The report formats the viewer reads, XRD first, and the choice of one for
// a file by its content.
class QAReportFormats
{
public:
    // Every format, XRD first; they live as long as the process.
    static const std::vector<const QAReportFormat *> &all();
    // The format whose root element the file on `device` has. A file no
    // format recognises (not XML, or another root) goes to XRD, whose reader
    // then reports what is wrong with it.
    static const QAReportFormat &forDevice(QIODevice &device);
    // The name patterns of all formats, without repeats: "*.xrd", "*.xml".
    static QStringList patterns();
};
