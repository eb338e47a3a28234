#include "korvatreporter/window/qarfilewatch.h"

#include <QFileInfo>

QARFileWatch::QARFileWatch(QObject *parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &QARFileWatch::settle);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { touched(true); });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { touched(false); });
}

QARFileWatch::~QARFileWatch() = default;

void QARFileWatch::setFiles(const QStringList &files)
{
    if (files == m_given)
        return;
    m_given = files;
    const QStringList watchedFiles = m_watcher->files();
    const QStringList watchedFolders = m_watcher->directories();
    if (!watchedFiles.isEmpty())
        m_watcher->removePaths(watchedFiles);
    if (!watchedFolders.isEmpty())
        m_watcher->removePaths(watchedFolders);
    m_settle.stop();
    m_changed = false;
    m_missing.clear();
    m_files.clear();
    for (const QString &file : files)
        m_files << QFileInfo(file).absoluteFilePath();
    watchExisting();
}

void QARFileWatch::watchExisting()
{
    QStringList paths;
    const QStringList watched = m_watcher->files() + m_watcher->directories();
    for (const QString &file : std::as_const(m_files)) {
        const QString folder = QFileInfo(file).absolutePath();
        if (QFileInfo::exists(file) && !watched.contains(file) && !paths.contains(file))
            paths << file;
        if (!watched.contains(folder) && !paths.contains(folder))
            paths << folder;
    }
    if (!paths.isEmpty())
        m_watcher->addPaths(paths);
}

void QARFileWatch::touched(bool fileChanged)
{
    m_changed = m_changed || fileChanged;
    // Every new write starts the wait again.
    m_settle.start();
}

void QARFileWatch::settle()
{
    for (const QString &file : std::as_const(m_files)) {
        const bool exists = QFileInfo::exists(file);
        if (!exists && !m_missing.contains(file)) {
            m_missing.insert(file);
            Q_EMIT vanished(file);
        } else if (exists && m_missing.remove(file)) {
            m_changed = true; // back, perhaps with new content
        }
    }
    // A file replaced by a rename is a new file to the watcher.
    watchExisting();
    if (m_changed && m_missing.isEmpty()) {
        m_changed = false;
        Q_EMIT changed();
    }
}
