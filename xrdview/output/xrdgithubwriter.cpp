#include "xrdview/output/xrdgithubwriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace {

QString annotation(const QAStFileResults &file, const QAStTestResult &test)
{
    const bool failed = test.verdict == QAStTestResult::Failed;
    QString line = failed ? QStringLiteral("::error ") : QStringLiteral("::warning ");
    if (test.sourceLine >= 0) {
        line += QStringLiteral("file=") + XrdGithubWriter::escapedProperty(test.sourceFile);
        line += QStringLiteral(",line=") + QString::number(test.sourceLine) + QLatin1Char(',');
    }
    const QString title = QFileInfo(file.file).fileName() + QStringLiteral(": ") + test.path;
    line += QStringLiteral("title=") + XrdGithubWriter::escapedProperty(title);
    QString message = test.message;
    if (message.isEmpty())
        message = failed ? QCoreApplication::translate("XrdGithubWriter", "Test failed: %1").arg(test.path)
                         : QCoreApplication::translate("XrdGithubWriter", "Test inconclusive: %1").arg(test.path);
    const QStringList lines = message.split(QLatin1Char('\n'));
    if (lines.size() > XrdGithubWriter::MessageLines)
        message = lines.mid(0, XrdGithubWriter::MessageLines).join(QLatin1Char('\n')) + QStringLiteral("\n…");
    return line + QStringLiteral("::") + XrdGithubWriter::escapedData(message) + QLatin1Char('\n');
}

} // namespace

QString XrdGithubWriter::escapedData(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('%'), QStringLiteral("%25"));
    out.replace(QLatin1Char('\r'), QStringLiteral("%0D"));
    out.replace(QLatin1Char('\n'), QStringLiteral("%0A"));
    return out;
}

QString XrdGithubWriter::escapedProperty(const QString &text)
{
    QString out = escapedData(text);
    out.replace(QLatin1Char(':'), QStringLiteral("%3A"));
    out.replace(QLatin1Char(','), QStringLiteral("%2C"));
    return out;
}

QByteArray XrdGithubWriter::write(const QList<QAStFileResults> &files)
{
    QString out;
    int written = 0;
    qint64 leftOut = 0;
    for (const QAStFileResults &file : files) {
        for (const QAStTestResult &test : file.tests) {
            if (test.verdict == QAStTestResult::Passed)
                continue;
            if (written == MaxAnnotations) {
                ++leftOut;
                continue;
            }
            out += annotation(file, test);
            ++written;
        }
    }
    if (leftOut > 0)
        out += QStringLiteral("::notice::")
               + escapedData(QCoreApplication::translate("XrdGithubWriter",
                                                         "%1 more failed or inconclusive tests are not annotated.")
                                 .arg(leftOut))
               + QLatin1Char('\n');
    return out.toUtf8();
}
