#include "korvatreporter/link/qareporterlinktarget.h"

#include <QFileInfo>
#include <QRegularExpression>

QAReporterLinkTarget::QAReporterLinkTarget(const QString &target) : m_target(target)
{
    const QString prefix = reportPrefix();
    if (target.left(prefix.size()) == prefix) {
        m_kind = ReportLink;
        const QString rest = target.mid(prefix.size());
        const qsizetype hash = rest.indexOf(QLatin1Char('#'));
        if (hash < 0) {
            m_filePart = rest;
        } else {
            m_filePart = rest.left(hash);
            m_anchor = rest.mid(hash + 1);
        }
        return;
    }

    // Most targets are one line: there '.' matches every character, so the pattern's match
    // is the last "line " followed by a digit, found without the regular expression engine
    // (an export meets a source link per check).
    if (!holdsLineBreak(target)) {
        const QLatin1String word("line ");
        for (qsizetype at = target.lastIndexOf(word); at >= 0;
             at = at > 0 ? target.lastIndexOf(word, at - 1) : -1) {
            const qsizetype digits = at + word.size();
            qsizetype end = digits;
            while (end < target.size() && isAsciiDigit(target.at(end)))
                ++end;
            if (end == digits)
                continue;
            m_kind = SourceLink;
            m_fileText = target.left(at).trimmed();
            m_lineText = target.mid(digits, end - digits);
            return;
        }
        return;
    }
    static const QRegularExpression sourcePattern(QStringLiteral("(.*)line (\\d+)"));
    const QRegularExpressionMatch match = sourcePattern.match(target, 0);
    if (match.hasMatch()) {
        m_kind = SourceLink;
        m_fileText = match.captured(1).trimmed();
        m_lineText = match.captured(2);
    }
}

bool QAReporterLinkTarget::holdsLineBreak(const QString &text)
{
    // Every character some newline convention of the engine may stop '.' at.
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x0a && u <= 0x0d) || u == 0x85 || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

bool QAReporterLinkTarget::needsBase() const
{
    if (m_kind != SourceLink)
        return false;
    if (m_fileText.isEmpty())
        return true;
    const QFileInfo info(m_fileText);
    return info.isRelative() && !info.exists();
}

QString QAReporterLinkTarget::withBase(const QString &base) const
{
    return base + m_fileText + QStringLiteral(" line ") + m_lineText;
}
