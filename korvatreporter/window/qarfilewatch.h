#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

// Watches the report files a window shows and tells it when they were
// rewritten, once the writes have settled (no change for SettleMs), so that a
// file a running campaign keeps rewriting is read once per burst of writes.
// A file that disappears is reported once through vanished(); while any file
// is missing no change is reported (reading again would drop the missing
// file's content), and when it comes back the change is. The folders of the
// files are watched too, for a file replaced by a rename, which the watcher
// of the file itself loses.
class QARFileWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int SettleMs = 300;

    explicit QARFileWatch(QObject *parent = nullptr);
    ~QARFileWatch() override;

    // Watches `files` in place of those watched so far; an empty list stops.
    // The same list again changes nothing.
    void setFiles(const QStringList &files);
    QStringList files() const { return m_given; }
    // The files reported as vanished and not back yet.
    QSet<QString> missing() const { return m_missing; }

Q_SIGNALS:
    // Some watched file was rewritten and every watched file exists.
    void changed();
    // `file` disappeared; reported once until it comes back.
    void vanished(const QString &file);

private:
    void touched(bool fileChanged);
    void settle();
    // Watches the existing files and folders not watched yet.
    void watchExisting();

    QFileSystemWatcher *m_watcher = nullptr; // a child
    QTimer m_settle;
    QStringList m_given; // as setFiles() had them
    QStringList m_files; // absolute
    QSet<QString> m_missing;
    bool m_changed = false;
};
