#pragma once

#include "history/historyclassifier.h"
#include "history/historycomparison.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The plain-text forms the command line prints: the sections of a comparison, and the history
// table of a window of runs. Texts end with a newline.
class HistoryText
{
public:
    // Five sections, each a heading with its count then one indented test key per line:
    //   new failure (1)
    //     suite/login
    static QString comparison(const HistoryComparison &comparison);
    // The same text as UTF-8, written straight from the sections' entries: a comparison of
    // large reports prints hundreds of thousands of keys, none of which is made as a string.
    static QByteArray comparisonUtf8(const HistoryComparison::Sections &sections);

    // A header line naming the runs' labels oldest first, then one line per test: its key
    // padded to a common width, its letters separated by spaces, fail count, flips, its last
    // recorded duration (a column only when some test has one), state.
    static QString history(const QStringList &labels, const QList<HistoryLine> &lines);

    // A duration for people: "850 ms", "1.25 s", "3 min 05 s".
    static QString duration(qint64 milliseconds);
};
