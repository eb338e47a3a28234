#include "rendoc/html/dexportfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Size of the blocks a copy reads.
constexpr qint64 CopyBlock = 64 * 1024;

// A temporary file is created readable by its owner only; the page gets the permissions a
// new file would have had, so a shared export stays readable.
void giveDefaultPermissions(int handle)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(handle, 0666 & ~mask);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

DExportFile::DExportFile(const QString& path) : m_path(path) {}

DExportFile::~DExportFile()
{
    cancel();
}

bool DExportFile::open()
{
    cancel();
    m_error.clear();
    // mkstemps() makes a new name and opens it exclusively in one call; the name is kept as
    // the bytes the rename needs, where QTemporaryFile rebuilt its path for every page.
    QByteArray name = QFile::encodeName(QFileInfo(m_path).absolutePath() + QStringLiteral("/.korvat-XXXXXX.tmp"));
    const int handle = ::mkstemps(name.data(), 4);
    if (handle < 0) {
        m_error = systemError();
        return false;
    }
    giveDefaultPermissions(handle);
    m_temporaryName = name;
    m_file = std::make_unique<QFile>();
    if (!m_file->open(handle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        m_error = m_file->errorString();
        ::close(handle);
        cancel();
        return false;
    }
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
    m_file.reset();
    // rename() replaces the name itself: a symbolic link there is not followed.
    if (std::rename(m_temporaryName.constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = systemError();
        cancel();
        return false;
    }
    m_temporaryName.clear();
    return true;
}

void DExportFile::cancel()
{
    m_file.reset();
    if (!m_temporaryName.isEmpty())
        ::unlink(m_temporaryName.constData());
    m_temporaryName.clear();
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
