#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class DDocument;
class DItem;
class DLink;
struct DRendocViewPrivate;
class DViewLayout;
class QPrinter;
class QRegularExpression;

// The widget that shows one or more documents for reading.
//
// Documents are not owned: the caller keeps them alive while they are shown and calls
// clearDocs() (or setDocument(d, true)) before freeing them. The view flattens the shown
// documents into a list of blocks and lays out only the blocks it paints or measures, so
// opening a very large document costs about as much as walking it once.
//
// Text is selectable with the mouse (drag, Shift+click, double click for a word) and with
// Ctrl+A; Ctrl+C copies. Links are activated by a click or by moving
// the link focus with Tab/Shift+Tab and pressing Return; either emits activatedLink().
class DRendocView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Called by print() instead of a print dialog when set; returns whether to print.
    using PrintDialogHook = std::function<bool(QPrinter*)>;

    explicit DRendocView(QWidget* parent = nullptr, const char* name = nullptr,
                         Qt::WindowFlags flags = Qt::WindowFlags());
    ~DRendocView() override;

    // Directories searched, in order, for images named by a relative path.
    void insertSearchPath(const QString& directory);
    QStringList searchPaths() const;

    // Space in pixels between the widget's edges and the text.
    void setMargin(int left, int top, int right, int bottom);
    void setMargin(int margin);

    // With word wrap off, lines are as long as their text and the view scrolls sideways.
    void setWordWrap(bool on);
    bool wordWrap() const;

    // replace true: show only document (null shows nothing). replace false: add document after
    // the ones shown; a document already shown is not added a second time.
    void setDocument(DDocument* document, bool replace);
    // Shows nothing any more and forgets every document pointer.
    void clearDocs();
    // The shown documents, in display order.
    QList<DDocument*> documents() const;
    // The document whose text is at the top of the visible area; null when nothing is shown.
    DDocument* getCurrentDoc() const;

    // Scrolls so that the item's text starts at the top of the visible area, even near the end
    // of the last document (the view then shows empty space below it until the user scrolls).
    // A container without text of its own moves to the first block inside or after it.
    // Returns false, and does not scroll, when the item is not shown (not in a shown document,
    // or inside a header, footer or popup).
    bool moveTo(DItem* item);
    // Moves to a place named as DLink::split() gives it: tag names a DTag (empty: the start of
    // the document), document names a shown DDocument (empty: search every shown document,
    // the current one first). The file part is ignored: it is resolved by the caller.
    // Returns false when the place is not found.
    bool moveTo(const QString& file, const QString& tag, const QString& document);

    // When on (off by default), activating a link whose target names a place in a shown
    // document ("tag", "tag:doc", "::doc") also moves the view there itself; activatedLink() is
    // emitted in every case.
    void setResolveLink(bool on);
    bool resolveLink() const;

    // Finds the next match of expression after the selection (or after the top of the visible
    // area when nothing is selected), selects it and scrolls to it; a second call finds the
    // following one. When there is no further match it returns false and keeps the selection
    // as it was; the call after that starts again from the start of the first document.
    // Matches are found within one block of text (a title, paragraph, list entry, table cell).
    bool search(const QRegularExpression& expression);

    // Asks for a printer (through the hook when one is set, else a print dialog) and prints
    // every shown document. Returns false when cancelled.
    bool print();
    // Prints every shown document on printer, with headers and footers and page breaks.
    void print(QPrinter* printer);
    // Replaces the print dialog for every view (tests, headless hosts); an empty hook restores
    // the dialog.
    static void setPrintDialogHook(PrintDialogHook hook);

    // Puts the selected text on the clipboard; does nothing without a selection.
    void copy();
    QString selectedText() const;
    bool hasSelectedText() const;
    void selectAll();
    void clearSelection();

    // The colour behind the text; an invalid colour restores the palette's base colour.
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;

    // Lays the shown documents out again, after their styles or the view's colours changed;
    // keeps the item at the top of the visible area in place.
    void rebuildDoc();

    // The text of the shown documents as the view renders it: blocks separated by line feeds,
    // table cells by tabs, one line per table row.
    QString toPlainText() const;

    // Total height of the shown documents in pixels; estimates stand for blocks not yet laid
    // out, so the value can change as the view lays out more.
    int documentHeight() const;
    // The rectangle of item's text in viewport coordinates (lays out what it needs); an empty
    // rectangle when the item is not shown.
    QRect itemRect(DItem* item);
    // The rectangle of the selection's first characters in viewport coordinates (up to the end of
    // its first frame); an empty rectangle when nothing is selected.
    QRect selectionRect();
    // The item whose text holds the start of the selection (the inline item that made it, else
    // the block's item); null when nothing is selected.
    DItem* selectedItem() const;
    // The link under pos (viewport coordinates), null when none.
    DLink* linkAt(const QPoint& pos);
    // The link that has the keyboard link focus, null when none.
    DLink* focusedLink() const;

    // How many blocks have been laid out since the documents were set (for tests and
    // benchmarks: the view should lay out only what it shows).
    int laidOutBlockCount() const;
    // Whether every block of the shown documents is known: a large document shows its first
    // part at once and gets the rest while the event loop is idle.
    bool hasAllBlocks() const;

Q_SIGNALS:
    // The user activated link (click, or Return on the focused link).
    void activatedLink(DLink* link);

public Q_SLOTS:
    // Repaints the visible area.
    void repaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<DRendocViewPrivate> d;
};
