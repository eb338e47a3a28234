#pragma once

#include <QString>

class DDocument;

// Plain-text forms of the report window's documents, for hosts without a
// screen.
class QAReporterPlainText
{
public:
    // Every table row of `document` in document order, one line each, its
    // cells joined by tabs; a cell gives its own text, then every text run
    // inside it.
    static QString table(const DDocument &document);
};
