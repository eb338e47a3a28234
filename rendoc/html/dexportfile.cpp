#include "rendoc/html/dexportfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// Size of the blocks a copy reads.
constexpr qint64 CopyBlock = 64 * 1024;

// A temporary file is created readable by its owner only; the page gets the permissions a
// new file would have had, so a shared export stays readable.
void giveDefaultPermissions(QTemporaryFile& file)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.handle(), 0666 & ~mask);
}

} // namespace

DExportFile::DExportFile(const QString& path) : m_path(path) {}

DExportFile::~DExportFile() = default;

bool DExportFile::open()
{
    m_error.clear();
    const QString folder = QFileInfo(m_path).absolutePath();
    m_file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/.korvat-XXXXXX.tmp"));
    if (!m_file->open()) {
        m_error = m_file->errorString();
        m_file.reset();
        return false;
    }
    giveDefaultPermissions(*m_file);
    return true;
}

QIODevice* DExportFile::device() const
{
    return m_file.get();
}

bool DExportFile::commit()
{
    if (!m_file) {
        m_error = QCoreApplication::translate("DExportFile", "The file is not open");
        return false;
    }
    const bool written = m_file->flush() && m_file->error() == QFileDevice::NoError;
    if (!written) {
        m_error = m_file->errorString();
        cancel();
        return false;
    }
    m_file->close();
    // rename() replaces the name itself: a symbolic link there is not followed.
    const QByteArray from = QFile::encodeName(m_file->fileName());
    if (std::rename(from.constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        cancel();
        return false;
    }
    m_file->setAutoRemove(false);
    m_file.reset();
    return true;
}

void DExportFile::cancel()
{
    // The temporary file removes itself.
    m_file.reset();
}

bool DExportFile::copy(const QString& source, const QString& destination, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    DExportFile out(destination);
    if (!out.open()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(CopyBlock);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            if (error)
                *error = in.errorString();
            return false;
        }
        if (out.device()->write(block) != block.size()) {
            if (error)
                *error = out.device()->errorString();
            return false;
        }
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}
