#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;
class QFile;

// One file written into an export folder without ever following a symbolic link at its name.
// The content goes to a new temporary file in the same folder, which commit() renames over the
// name: a link planted there is replaced, not written through, and a failed or cancelled write
// leaves the name as it was. (QSaveFile resolves a link to its target, so it cannot be used.)
class DExportFile
{
public:
    explicit DExportFile(const QString& path);
    ~DExportFile();
    DExportFile(const DExportFile&) = delete;
    DExportFile& operator=(const DExportFile&) = delete;

    // Creates the temporary file; false (see errorString()) when the folder cannot take it.
    bool open();
    // Where the content goes between open() and commit().
    QIODevice* device() const;
    // Renames the written content over the name; false when a write or the rename failed.
    bool commit();
    // Drops what was written (the temporary file is removed); the name keeps what it had.
    void cancel();
    const QString& errorString() const { return m_error; }

    // Copies the file `source` to `destination` the same way; false with the reason in *error.
    static bool copy(const QString& source, const QString& destination, QString* error);

private:
    QString m_path;
    std::unique_ptr<QFile> m_file;
    QByteArray m_temporaryName; // the temporary file's name while it exists
    QString m_error;
};
