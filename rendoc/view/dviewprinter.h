#pragma once

#include <QList>

class DDocument;
class DViewContext;
class QPrinter;

// Prints documents page by page: each document starts on a new page, page breaks force one,
// blocks that do not fit move to the next page (a block taller than a page is cut across
// pages), and each page gets its document's header and footer.
class DViewPrinter
{
public:
    explicit DViewPrinter(const DViewContext& context);

    // Prints on printer and returns the number of pages; 0 when the printer cannot start.
    int print(QPrinter* printer, const QList<DDocument*>& documents);

private:
    const DViewContext& m_context;
};
