#pragma once

#include "sdk/qastfileresults.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Writes loaded results as workflow commands that a CI runner turns into
// annotations: "::error" for each failed test (on its source line when it
// has one), "::warning" for each inconclusive one, at most MaxAnnotations of
// them, then one "::notice" counting those left out.
class XrdGithubWriter
{
public:
    XrdGithubWriter() = delete;

    static constexpr int MaxAnnotations = 50;
    // Lines of a message kept in an annotation.
    static constexpr int MessageLines = 20;

    static QByteArray write(const QList<QAStFileResults> &files);
    // A command's message: '%', CR and LF encoded.
    static QString escapedData(const QString &text);
    // A command's property value: as data, and ':' and ',' encoded too.
    static QString escapedProperty(const QString &text);
};
