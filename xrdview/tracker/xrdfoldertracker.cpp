#include "xrdview/tracker/xrdfoldertracker.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

// Enough tries to get past any number of defects filed in one second.
constexpr int MaxNameTries = 1000;

// `text` as literal Markdown inline text: every character that could start
// emphasis, code, a link or an image (through its "["), raw HTML, an entity
// or a table cell is backslash-escaped.
QString literal(const QString& text)
{
    static const QString special = QStringLiteral("\\`*_[]<>|~&#");
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (special.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

} // namespace

XrdFolderTracker::XrdFolderTracker(const QString& folder) : m_folder(folder) {}

QString XrdFolderTracker::markdown(const XrdDefect& defect, const QStringList& copies)
{
    QString headline = defect.headline.simplified();
    if (headline.isEmpty())
        headline = tr("Defect");
    // A fence longer than any run of backticks in the text keeps it whole.
    qsizetype longest = 0;
    static const QRegularExpression ticks(QStringLiteral("`+"));
    for (auto it = ticks.globalMatch(defect.description); it.hasNext();)
        longest = qMax(longest, it.next().capturedLength());
    const QString fence(qMax<qsizetype>(3, longest + 1), QLatin1Char('`'));

    QString text = QStringLiteral("# ") + literal(headline) + QStringLiteral("\n\n");
    QString description = defect.description;
    description.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!description.endsWith(QLatin1Char('\n')))
        description += QLatin1Char('\n');
    text += fence + QLatin1Char('\n') + description + fence + QLatin1Char('\n');
    if (!copies.isEmpty()) {
        text += QLatin1Char('\n') + tr("## Attachments") + QStringLiteral("\n\n");
        for (int i = 0; i < copies.size(); ++i) {
            const XrdDefect::Attachment& attachment = defect.attachments.at(i);
            text += QStringLiteral("- [%1](%2)").arg(literal(QFileInfo(attachment.path).fileName()),
                                                     QString::fromLatin1(QUrl::toPercentEncoding(copies.at(i))));
            if (!attachment.description.isEmpty())
                text += QStringLiteral(" (") + literal(attachment.description.simplified()) + QLatin1Char(')');
            text += QLatin1Char('\n');
        }
    }
    return text;
}

bool XrdFolderTracker::submit(const XrdDefect& defect, QString* written, QString* error) const
{
    if (m_folder.trimmed().isEmpty()) {
        *error = tr("No defect folder is configured.");
        return false;
    }
    QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = tr("The defect folder \"%1\" could not be created.").arg(m_folder);
        return false;
    }

    // Claim a name no earlier defect has: NewOnly fails on an existing file.
    const QString stamp =
        QStringLiteral("defect-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile file;
    QString base;
    for (int n = 1; n <= MaxNameTries; ++n) {
        base = n == 1 ? stamp : stamp + QLatin1Char('-') + QString::number(n);
        file.setFileName(dir.filePath(base + QStringLiteral(".md")));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!file.exists()) {
            *error = tr("The defect file \"%1\" could not be written: %2")
                         .arg(file.fileName(), file.errorString());
            return false;
        }
    }
    if (!file.isOpen()) {
        *error = tr("No free defect file name in \"%1\".").arg(m_folder);
        return false;
    }

    QStringList copies;
    auto undo = [&] {
        file.remove();
        for (const QString& copy : std::as_const(copies))
            QFile::remove(dir.filePath(copy));
    };
    for (const XrdDefect::Attachment& attachment : defect.attachments) {
        const QString copy = base + QLatin1Char('-') + QFileInfo(attachment.path).fileName();
        // QFile::copy refuses to replace an existing file.
        if (!QFile::copy(attachment.path, dir.filePath(copy))) {
            *error = tr("The attachment \"%1\" could not be copied into \"%2\".")
                         .arg(attachment.path, m_folder);
            undo();
            return false;
        }
        copies << copy;
    }
    const QByteArray bytes = markdown(defect, copies).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = tr("The defect file \"%1\" could not be written: %2")
                     .arg(file.fileName(), file.errorString());
        undo();
        return false;
    }
    file.close();
    *written = file.fileName();
    return true;
}
