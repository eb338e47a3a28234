#include "rendoc/html/dhtmlconfig.h"

#include "rendoc/aml/dregularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace {

// A suffix is a '.' followed by letters, digits, '.', '-' or '_': it ends a file name and
// must not lead it into another folder.
bool validSuffix(const QString& suffix)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.[A-Za-z0-9._-]{1,16}$"));
    return pattern.match(suffix).hasMatch();
}

// A relative folder below the pages: no "..", no root, no drive.
bool validImageDir(const QString& dir)
{
    if (dir.isEmpty())
        return true;
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-]+(/[A-Za-z0-9_-]+)*$"));
    return pattern.match(dir).hasMatch();
}

} // namespace

bool DHTMLConfig::read(const QString& path)
{
    m_errors.clear();
    QFile file(path);
    if (!file.exists())
        return parse(QString());
    // A named pipe or device in place of the file would block or never end.
    if (const QString refusal = DRegularFile::refusal(path); !refusal.isEmpty()) {
        *this = DHTMLConfig();
        m_errors << tr("%1: cannot be read (%2)").arg(path, refusal);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *this = DHTMLConfig();
        m_errors << tr("%1: cannot be read (%2)").arg(path, file.errorString());
        return false;
    }
    // A configuration is a few lines; anything much bigger is not one.
    const QByteArray data = file.read(64 * 1024 + 1);
    if (data.size() > 64 * 1024) {
        *this = DHTMLConfig();
        m_errors << tr("%1: too large for an export configuration").arg(path);
        return false;
    }
    const bool ok = parse(QString::fromUtf8(data));
    for (QString& error : m_errors)
        error = path + QStringLiteral(": ") + error;
    return ok;
}

bool DHTMLConfig::parse(const QString& text)
{
    DHTMLConfig result;
    QStringList errors;
    bool first = true;
    int lineNumber = 0;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // The first entry is the bare suffix, unless it is a "key = value" entry itself.
        if (first && !line.contains(QLatin1Char('='))) {
            first = false;
            if (validSuffix(line))
                result.m_suffix = line;
            else
                errors << tr("line %1: \"%2\" is not a file-name suffix such as \".html\"")
                              .arg(lineNumber)
                              .arg(line);
            continue;
        }
        first = false;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            errors << tr("line %1: expected \"key = value\"").arg(lineNumber);
            continue;
        }
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("suffix")) {
            if (validSuffix(value))
                result.m_suffix = value;
            else
                errors << tr("line %1: \"%2\" is not a file-name suffix such as \".html\"")
                              .arg(lineNumber)
                              .arg(value);
        } else if (key == QLatin1String("stylesheet")) {
            result.m_stylesheet = value;
        } else if (key == QLatin1String("outline") || key == QLatin1String("outside")) {
            bool& flag = key == QLatin1String("outline") ? result.m_outline : result.m_readOutside;
            const QString v = value.toLower();
            if (v == QLatin1String("yes") || v == QLatin1String("true") || v == QLatin1String("1"))
                flag = true;
            else if (v == QLatin1String("no") || v == QLatin1String("false") || v == QLatin1String("0"))
                flag = false;
            else
                errors << tr("line %1: %2 takes yes or no, not \"%3\"")
                              .arg(lineNumber)
                              .arg(key, value);
        } else if (key == QLatin1String("images")) {
            if (validImageDir(value))
                result.m_imageDir = value;
            else
                errors << tr("line %1: images takes a folder below the pages, not \"%2\"")
                              .arg(lineNumber)
                              .arg(value);
        } else if (key == QLatin1String("pagesize")) {
            bool ok = false;
            const int kib = value.toInt(&ok);
            if (ok && (kib == 0 || (kib >= 8 && kib <= 1000000)))
                result.m_pageKiB = kib;
            else
                errors << tr("line %1: pagesize takes a size in KiB from 8 to 1000000 (0: no limit), "
                             "not \"%2\"")
                              .arg(lineNumber)
                              .arg(value);
        } else {
            errors << tr("line %1: unknown key \"%2\"").arg(lineNumber).arg(key);
        }
    }
    if (!errors.isEmpty()) {
        *this = DHTMLConfig();
        m_errors = errors;
        return false;
    }
    *this = result;
    return true;
}

QString DHTMLConfig::toText() const
{
    QString text = QStringLiteral("# HTML export settings\n") + m_suffix + QLatin1Char('\n');
    if (!m_stylesheet.isEmpty())
        text += QStringLiteral("stylesheet = ") + m_stylesheet + QLatin1Char('\n');
    text += QStringLiteral("outline = ") + (m_outline ? QStringLiteral("yes") : QStringLiteral("no"))
            + QLatin1Char('\n');
    if (!m_imageDir.isEmpty())
        text += QStringLiteral("images = ") + m_imageDir + QLatin1Char('\n');
    if (m_readOutside)
        text += QStringLiteral("outside = yes\n");
    if (m_pageKiB != 2000)
        text += QStringLiteral("pagesize = %1\n").arg(m_pageKiB);
    return text;
}
