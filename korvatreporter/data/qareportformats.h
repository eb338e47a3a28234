#pragma once

#include <QByteArray>
#include <QString>
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
    // The format that recognises a file starting with `head`; null when
    // none does.
    static const QAReportFormat *recognise(const QByteArray &head);
    // The format of the file on `device`. A file no format recognises (not
    // XML, or another root) goes to XRD, whose reader then reports what is
    // wrong with it.
    static const QAReportFormat &forDevice(QIODevice &device);
    // Why a file starting with `head` is not read as a report: it is XML,
    // but its root element belongs to no format, or it is JSON no format
    // claims. Empty when some format
    // recognises it, or when it is not XML as far as `head` goes (its
    // reader then tells what is wrong).
    static QString refusal(const QByteArray &head);
    // The name patterns of all formats, without repeats: "*.xrd", "*.xml".
    static QStringList patterns();
};
