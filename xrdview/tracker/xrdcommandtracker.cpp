#include "xrdview/tracker/xrdcommandtracker.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

namespace {

// One pass over `argument`, so that a value containing "%t" or "%d" is
// never expanded again: %t the headline, %b the description text, %d the
// description's file, %a one attachment.
QString expand(const QString& argument, const XrdDefect& defect, const QString& descriptionFile,
               const QString& attachment)
{
    QString out;
    out.reserve(argument.size());
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c != QLatin1Char('%') || i + 1 == argument.size()) {
            out += c;
            continue;
        }
        const QChar code = argument.at(i + 1);
        if (code == QLatin1Char('t'))
            out += defect.headline;
        else if (code == QLatin1Char('b'))
            out += defect.description;
        else if (code == QLatin1Char('d'))
            out += descriptionFile;
        else if (code == QLatin1Char('a'))
            out += attachment;
        else if (code == QLatin1Char('%'))
            out += QLatin1Char('%');
        else {
            out += c;
            continue;
        }
        ++i;
    }
    return out;
}

// Splits a command line template into words as a POSIX shell would, but
// without any expansion: blanks separate words, '...' keeps its text as it
// is, "..." too except for \" and \\, and a backslash outside quotes
// keeps the next character.
QStringList splitWords(const QString& line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('\'')) {
            const qsizetype end = line.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? line.size() : end;
            word += line.mid(i + 1, stop - i - 1);
            i = stop;
        } else if (c == QLatin1Char('"')) {
            for (++i; i < line.size() && line.at(i) != QLatin1Char('"'); ++i) {
                if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size()
                    && (line.at(i + 1) == QLatin1Char('"') || line.at(i + 1) == QLatin1Char('\\')))
                    ++i;
                word += line.at(i);
            }
        } else if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line.at(++i);
        } else {
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}

// A file handed to the command: absolute and normalised, so that it never
// starts with "-" or "+" and cannot be read as an option.
QString plainPath(const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(path));
}

// True when `word` starts with `placeholder`, which puts the value's first
// character first in its argument.
bool startsWith(const QString& word, const char* placeholder)
{
    return word.startsWith(QLatin1String(placeholder));
}

// True when `value`, given as an argument of its own, would read as an option.
bool readsAsOption(const QString& value)
{
    const QString trimmed = value.trimmed();
    return trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QLatin1Char('+'));
}

bool holdsAttachment(const QString& argument)
{
    // "%a" not preceded by an escaping "%".
    static const QRegularExpression placeholder(QStringLiteral("(^|[^%])(%%)*%a"));
    return placeholder.match(argument).hasMatch();
}

// The last part of a command's error output, enough to say what went wrong.
QString tail(const QByteArray& bytes)
{
    constexpr int MaxChars = 2000;
    const QString text = QString::fromLocal8Bit(bytes).trimmed();
    return text.size() > MaxChars ? text.right(MaxChars) : text;
}

// Stops a running command with everything it started: the terminate
// signal to its process group, then the kill signal to what is left.
void stopGroup(QProcess& process)
{
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGTERM);
    if (!process.waitForFinished(2000)) {
        if (pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        process.waitForFinished(2000);
    }
}

} // namespace

XrdCommandTracker::XrdCommandTracker(const QString& commandTemplate)
    : m_template(commandTemplate)
{
}

QStringList XrdCommandTracker::arguments(const XrdDefect& defect,
                                         const QString& descriptionFile) const
{
    QStringList out;
    const QStringList words = splitWords(m_template);
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (i > 0 && holdsAttachment(word)) {
            for (const XrdDefect::Attachment& attachment : defect.attachments)
                out << expand(word, defect, descriptionFile, plainPath(attachment.path));
            continue;
        }
        out << expand(word, defect, descriptionFile, QString());
    }
    if (!out.isEmpty() && out.constFirst().isEmpty())
        return {};
    return out;
}

QString XrdCommandTracker::unsafeHeadline(const XrdDefect& defect) const
{
    const bool headline = readsAsOption(defect.headline);
    const bool body = readsAsOption(defect.description);
    if (!headline && !body)
        return QString();
    const QStringList words = splitWords(m_template);
    for (int i = 1; i < words.size(); ++i) {
        if (words.at(i) == QLatin1String("--"))
            break; // what follows is never read as an option
        if (headline && startsWith(words.at(i), "%t"))
            return tr("The headline starts with \"%1\", which the tracker command would read "
                              "as an option. Change the headline.")
                .arg(defect.headline.trimmed().at(0));
        if (body && startsWith(words.at(i), "%b"))
            return tr("The description starts with \"%1\", which the tracker command would read as an "
                      "option. Change the description.")
                .arg(defect.description.trimmed().at(0));
    }
    return QString();
}

QString XrdCommandTracker::displayLine(const QStringList& arguments)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    QStringList shown;
    for (const QString& argument : arguments) {
        if (plain.match(argument).hasMatch())
            shown << argument;
        else
            shown << QLatin1Char('\'') + QString(argument).replace(QLatin1String("'"), QLatin1String("'\\''"))
                         + QLatin1Char('\'');
    }
    return shown.join(QLatin1Char(' '));
}

bool XrdCommandTracker::submit(const XrdDefect& defect, QString* output, QString* error, QString* commandLine,
                               const CancelQuery& canceled) const
{
    const QString unsafe = unsafeHeadline(defect);
    if (!unsafe.isEmpty()) {
        *error = unsafe;
        return false;
    }
    QTemporaryFile description(QDir::tempPath() + QStringLiteral("/xrdview-defect-XXXXXX.txt"));
    if (!description.open() || description.write(defect.description.toUtf8()) < 0
        || !description.flush()) {
        *error = tr("The description could not be written to a temporary file: %1")
                     .arg(description.errorString());
        return false;
    }
    description.close();

    QStringList args = arguments(defect, QDir::toNativeSeparators(description.fileName()));
    if (commandLine)
        *commandLine = displayLine(args);
    if (args.isEmpty()) {
        *error = tr("No tracker command is configured.");
        return false;
    }

    QProcess process;
    process.setProgram(args.takeFirst());
    process.setArguments(args);
    // A command that asks questions gets end of input instead of waiting.
    process.setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that stopping it stops what it started too.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    QEventLoop loop;
    bool finished = false;
    bool stopped = false;
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    QTimer::singleShot(m_timeoutMs, &loop, &QEventLoop::quit);
    QTimer poll;
    if (canceled) {
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (canceled()) {
                stopped = true;
                loop.quit();
            }
        });
        poll.start(50);
    }
    process.start();
    if (process.state() != QProcess::NotRunning || process.error() != QProcess::FailedToStart)
        loop.exec();
    poll.stop();

    if (process.error() == QProcess::FailedToStart) {
        *error = tr("The tracker command \"%1\" could not be started: %2")
                     .arg(process.program(), process.errorString());
        return false;
    }
    if (!finished) {
        stopGroup(process);
        *error = stopped ? tr("The tracker command \"%1\" was stopped.").arg(process.program())
                         : tr("The tracker command \"%1\" did not finish within %2 seconds and was stopped.")
                               .arg(process.program())
                               .arg(m_timeoutMs / 1000);
        return false;
    }
    const QString errors = tail(process.readAllStandardError());
    if (process.exitStatus() != QProcess::NormalExit) {
        *error = tr("The tracker command \"%1\" crashed.").arg(process.program());
        if (!errors.isEmpty())
            *error += QLatin1Char('\n') + errors;
        return false;
    }
    if (process.exitCode() != 0) {
        *error = tr("The tracker command \"%1\" failed with exit code %2.")
                     .arg(process.program())
                     .arg(process.exitCode());
        if (!errors.isEmpty())
            *error += QLatin1Char('\n') + errors;
        return false;
    }
    if (output)
        *output = tail(process.readAllStandardOutput());
    return true;
}
