#include "korvatreporter/export/qareportersaveas.h"

#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "sdk/qamodal.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// The name patterns of the source's format, told by its content as the
// loader tells it: a JUnit file is offered "*.xml", an XRD file "*.xrd".
QString patternsOf(const QString &source)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("*.xrd");
    return QAReportFormats::forDevice(file).patterns().join(QLatin1Char(' '));
}

// Size of the blocks a copy reads; lines may be longer than a block.
constexpr qint64 CopyBlockSize = 64 * 1024;

// The device and inode of the file `path` names (following links); false
// when it cannot be told.
bool fileIdentity(const QString &path, quint64 *device, quint64 *inode)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *device = quint64(info.st_dev);
    *inode = quint64(info.st_ino);
    return true;
#else
    Q_UNUSED(path) Q_UNUSED(device) Q_UNUSED(inode)
    return false;
#endif
}

} // namespace

QAReporterSaveAs::QAReporterSaveAs(QWidget *parent, const QString &caption)
    : m_parent(parent), m_caption(caption)
{
}

QString QAReporterSaveAs::caption(QAStudioInterface *studio)
{
    if (studio)
        return studio->productName();
    return QCoreApplication::translate("QAReporter", "Report", "Default product name to dialogs box.");
}

bool QAReporterSaveAs::sameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (canonicalA.isEmpty())
        return false;
    if (canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    quint64 deviceA = 0, deviceB = 0, inodeA = 0, inodeB = 0;
    return fileIdentity(a, &deviceA, &inodeA) && fileIdentity(b, &deviceB, &inodeB)
        && deviceA == deviceB && inodeA == inodeB;
}

QAReporterSaveAs::CopyResult QAReporterSaveAs::copy(const QString &source,
                                                    const QString &destination)
{
    // Written beside the destination and renamed over it on commit; until
    // then the destination keeps its old content.
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return DestinationNotWritable;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        out.cancelWriting();
        return SourceNotReadable;
    }

    // "\r\n" and "\n" end a line; a "\r" at the end of a block waits for
    // the next block to tell which it is.
    bool pendingCr = false;
    char last = '\n';
    bool wroteAny = false;
    while (true) {
        QByteArray block = in.read(CopyBlockSize);
        if (block.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd()) {
                out.cancelWriting();
                return SourceNotReadable;
            }
            break;
        }
        if (pendingCr && !block.startsWith('\n'))
            block.prepend('\r');
        pendingCr = block.endsWith('\r');
        if (pendingCr)
            block.chop(1);
        block.replace("\r\n", "\n");
        if (block.isEmpty())
            continue;
        out.write(block);
        last = block.back();
        wroteAny = true;
    }
    if (pendingCr) {
        out.write("\r");
        last = '\r';
        wroteAny = true;
    }
    if (wroteAny && last != '\n')
        out.write("\n");
    if (!out.commit())
        return DestinationNotWritable;
    return Copied;
}

void QAReporterSaveAs::run(const QStringList &sources)
{
    for (const QString &source : sources)
        saveOne(source);
}

void QAReporterSaveAs::saveOne(const QString &source)
{
    const QFileInfo sourceInfo(source);
    const QString dialogCaption =
        QCoreApplication::translate("QAReporter", "Save %1 Report As", "%1 is the source file name.").arg(sourceInfo.fileName());
    const QString filter =
        QCoreApplication::translate("QAReporter", "Report File") + QStringLiteral(" (") + patternsOf(source) + QLatin1Char(')');

    while (true) {
        const QString chosen = QAModal::getSaveFileName(
            m_parent, dialogCaption, sourceInfo.absolutePath(), filter,
            QStringLiteral("save file dialog"), QFileDialog::DontConfirmOverwrite);
        if (chosen.isEmpty())
            return;
        const QFileInfo destination(chosen);
        if (destination.filePath() == sourceInfo.filePath() || sameFile(chosen, source)) {
            QAModal::warning(m_parent, m_caption,
                             QCoreApplication::translate("QAReporter", "Source and destination files are the sames.\n"
                                          "Please select an other file."));
            continue;
        }
        if (destination.exists()
            && QAModal::warning(m_parent, m_caption,
                                QCoreApplication::translate("QAReporter", "The file already exists.\n"
                                             "Do you want to overwrite it?"),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                   != QMessageBox::Yes)
            continue;
        switch (copy(source, chosen)) {
        case DestinationNotWritable:
            QAModal::warning(m_parent, m_caption,
                             QCoreApplication::translate("QAReporter", "The file could not be save.\n"
                                          "Please check if you have write permission."));
            break;
        case SourceNotReadable:
            QAModal::warning(m_parent, m_caption,
                             QCoreApplication::translate("QAReporter", "The file could not be save.\n"
                                          "Please check if you have read permission."));
            break;
        case Copied:
            break;
        }
        return;
    }
}
