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

    static const QRegularExpression sourcePattern(QStringLiteral("(.*)line (\\d+)"));
    const QRegularExpressionMatch match = sourcePattern.match(target, 0);
    if (match.hasMatch()) {
        m_kind = SourceLink;
        m_fileText = match.captured(1).trimmed();
        m_lineText = match.captured(2);
    }
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
