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
    // inside it. A cell spanning several columns is followed by an empty
    // cell for each further column, so every line has the columns it fills.
    static QString table(const DDocument &document);
};
