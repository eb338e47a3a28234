#pragma once

#include "korvatreporter/data/qaxmlreportreader.h"

#include <vector>

class DItem;

// Reads the output of Catch2's XML reporter in one streaming pass. Each
// group becomes a "TestSuite" node, each test case a "TestCase" node with
// the verdict of its OverallResult (ok, ko, or NE when skipped or when it
// tells none) and each section a "Section" node under its test case or
// section, "ko" when its assertions failed. Expressions with their
// expansions, exceptions, failures, info and warning messages and the
// runner's own counts go into the text, with links to the source lines.
// The totals count test cases.
class QACatch2Reader : public QAXmlReportReader
{
public:
    QACatch2Reader();

protected:
    bool startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file) override;
    bool startElement(QStringView name, const DAmlAttributes &atts) override;
    bool endElement(QStringView name) override;
    void reset() override;

private:
    // What the open elements are, innermost last.
    enum class Open { Root, Group, Case, Section, Expression, Result, Other };

    // A node whose title is restyled by its verdict at its end.
    struct Node
    {
        Open kind = Open::Other;
        DItem *title = nullptr;
        DItem *before = nullptr; // the last item before its title
        int level = 0;
        QString state;
    };

    // The expression being read.
    struct Expression
    {
        bool success = true;
        QString macro;
        QString link;
        QString original;
        QString expanded;
        QString exception;
    };

    bool startNode(const QString &name, const QString &type, Open open, const QString &details);
    bool endNode(Open open);
    bool endExpression();
    bool writeMessage(QStringView name, const QString &text);
    bool writeCounts(bool cases, const DAmlAttributes &atts);
    // The standard output and error a test case's result holds.
    bool writeOutput();
    Open parent() const;

    std::vector<Open> m_open;
    std::vector<Node> m_nodes; // groups, cases and sections open
    Expression m_expression;
    QString m_link; // of the message element being read
    QString m_out;
    QString m_err;
    // Translated words of every test case.
    struct Words
    {
        QString tags;
        QString duration;
        QString source;
        QString commaSource;
    } m_words;
};
