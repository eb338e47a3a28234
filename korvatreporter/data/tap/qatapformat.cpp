#include "korvatreporter/data/tap/qatapformat.h"

#include "korvatreporter/data/tap/qatapreader.h"

#include <QCoreApplication>
#include <QRegularExpression>

QString QATapFormat::name() const
{
    return QCoreApplication::translate("Reporter", "TAP test results");
}

QStringList QATapFormat::patterns() const
{
    return {QStringLiteral("*.tap")};
}

bool QATapFormat::recognises(const QByteArray &head) const
{
    static const QRegularExpression first(
        QStringLiteral("^(TAP version \\d+|1\\.\\.\\d+|(not )?ok(\\s+\\d+\\b|\\s*-|\\s*#|$))"));
    qsizetype start = head.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (start < head.size()) {
        qsizetype end = head.indexOf('\n', start);
        if (end < 0)
            end = head.size();
        const QByteArray line = head.mid(start, qMin<qsizetype>(end - start, 200)).trimmed();
        start = end + 1;
        // Comments ("# Subtest: ...", a runner's banner) may come first.
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        return first.match(QString::fromLatin1(line)).hasMatch();
    }
    return false;
}

std::unique_ptr<QAReportReader> QATapFormat::createReader() const
{
    return std::make_unique<QATapReader>();
}
