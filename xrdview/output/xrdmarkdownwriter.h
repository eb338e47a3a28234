#pragma once

#include "sdk/qastfileresults.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

// Writes loaded results as a Markdown job summary: a totals table with one
// row per file, then each failed test with its path, source location and
// the first lines of its message in a fenced block. The summary stays under
// a byte limit (CI step summaries refuse larger ones); the failed tests
// that do not fit are counted in a closing line.
class XrdMarkdownWriter
{
    Q_DECLARE_TR_FUNCTIONS(XrdMarkdownWriter)

public:
    XrdMarkdownWriter() = delete;

    static constexpr qsizetype DefaultLimit = 1024 * 1024;
    // Lines of a message shown, and characters of each.
    static constexpr int MessageLines = 10;
    static constexpr int LineLength = 300;

    static QByteArray write(const QList<QAStFileResults> &files, qsizetype limit = DefaultLimit);
    // `text` on one line with the characters Markdown would take as markup
    // escaped by backslashes, for table cells and headings.
    static QString escaped(const QString &text);
    // A code fence longer than any run of backticks in `text`.
    static QString fenceFor(const QString &text);
};
