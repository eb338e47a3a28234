#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File helpers shared by the unit tests: the example reports and whole-file reads that
// comparisons and golden files need.
namespace TestFiles {

// Path of `name` in the project's examples folder.
QString example(const char *name);

// Whole contents of `path`; "<missing>" when it cannot be opened, so that a comparison
// against expected bytes fails with a readable message.
QByteArray readBytes(const QString &path);

// Whole contents of `path` as UTF-8 text; empty when it cannot be opened.
QString readText(const QString &path);

// Writes `bytes` as the whole of `path`; false when that failed.
bool writeFile(const QString &path, const QByteArray &bytes);

// The file names of `paths` (no folders), in the same order, or sorted when asked.
QStringList fileNames(const QStringList &paths, bool sorted = false);

} // namespace TestFiles
