#pragma once

#include <QStringView>

// Finds the places in a trace line that look like a stack frame naming a
// file and a line, left to right: "name.ext:12", "name.ext(12)" (a run of
// path characters ending in an extension, started where no path character
// stands before it) and Python's `File "name.ext", line 12`. Path characters
// are ASCII letters, digits and "_.$/\-"; an extension is ASCII letters,
// digits or '_' after a word character and the run's last dot.
//
// A hand-written scan instead of a regular expression: every line of every
// failure trace is looked at, and a long dotted Java frame made the
// expression's engine the largest cost of reading a trace.
class QAJUnitFrameScanner
{
public:
    // One frame: `start`/`length` the part of the line that links (the quoted
    // name in Python's form, the whole "name.ext:12" otherwise), `name` the
    // file named, `number` the line's digits, `end` where the match ends.
    struct Match
    {
        qsizetype start = 0;
        qsizetype length = 0;
        QStringView name;
        QStringView number;
        qsizetype end = 0;
    };

    // The first frame at or after `from`. A frame may also start right at
    // `from` when a path character stands before it: that is where the
    // previous frame ended, and frames written back to back are both found.
    static bool next(QStringView line, qsizetype from, Match *match);

private:
    static bool python(QStringView line, qsizetype at, Match *match);
    static bool file(QStringView line, qsizetype at, Match *match);
};
