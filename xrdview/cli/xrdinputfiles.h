#pragma once

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>

// The report files named by command-line arguments. A folder stands for
// the files under it, at any depth, that a report format recognises by
// content; a pattern with wildcards ('*', '?', '[...]', and '**' for any
// number of folders) is expanded here, for CI runners whose shell does not
// expand '**', to the files it matches that a format recognises. Any other
// argument is taken as given. Each argument's files come sorted by path,
// the arguments in their order, and a file is named once.
class XrdInputFiles
{
    Q_DECLARE_TR_FUNCTIONS(XrdInputFiles)

public:
    using Recognises = std::function<bool(const QString &file)>;

    // The files of `arguments`; files passed over (not readable, not a
    // report, a pattern matching nothing) are described in `messages`.
    static QStringList expand(const QStringList &arguments, const Recognises &recognises, QStringList *messages);

    // True when `argument` holds a wildcard and names no existing file.
    static bool isPattern(const QString &argument);
    // The expression a whole path must match for `pattern`: '**/' is any
    // number of folders, '**' anything, '*' and '?' anything but '/'.
    static QRegularExpression expression(const QString &pattern);
    // The folder a pattern's search starts from: its part before the first
    // path element with a wildcard ("." when that is the first one).
    static QString baseFolder(const QString &pattern);
};
