#pragma once

#include <QString>

// What the target text of a link in a report asks for.
//
// - Report link: "xrdlink://" (compared exactly, case-sensitive) followed by
//   a file part, optionally "#" and an anchor; only the first "#" splits.
// - Source link: any other text in which "(.*)line (\d+)" is found; the
//   greedy first group makes the last "line <digits>" count, and the file
//   text is what comes before it, trimmed.
// - Other link: anything else, passed on whole.
class QAReporterLinkTarget
{
public:
    enum Kind { ReportLink, SourceLink, OtherLink };

    explicit QAReporterLinkTarget(const QString &target);

    static QString reportPrefix() { return QStringLiteral("xrdlink://"); }

    Kind kind() const { return m_kind; }
    const QString &target() const { return m_target; }

    // Report links: the file part and the anchor, either may be empty.
    const QString &filePart() const { return m_filePart; }
    const QString &anchor() const { return m_anchor; }

    // Source links: the file text (trimmed) and the digits of the line.
    const QString &fileText() const { return m_fileText; }
    const QString &lineText() const { return m_lineText; }

    // True for a source link whose file text cannot be used as it is: it is
    // empty, or a relative path that does not exist relative to the current
    // directory. Such a link is resolved against its report node's base.
    bool needsBase() const;
    // The source link rewritten with `base` put straight before the file
    // text: base + file text + " line " + line text.
    QString withBase(const QString &base) const;

private:
    static bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    // Whether text holds a character that ends a line for the pattern's '.'.
    static bool holdsLineBreak(const QString &text);

    QString m_target;
    Kind m_kind = OtherLink;
    QString m_filePart;
    QString m_anchor;
    QString m_fileText;
    QString m_lineText;
};
