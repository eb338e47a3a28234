#pragma once

#include <QDialog>
#include <QList>

class PreferenceItem;
class QAStViewerPlugin;
class QStackedWidget;
class QTreeWidget;

// The preference dialog: the plug-in's page tree on the left, the chosen
// page on the right, and OK, Cancel and Defaults. Every page's widget is
// built once when the dialog opens and shows the stored values; OK applies
// every page, Cancel cancels every page, Defaults resets the page shown.
// The plug-in hears the outcome through the accepted() and rejected()
// signals it connected to.
class XrdPreferenceDialog : public QDialog
{
    Q_OBJECT
public:
    // `hostPages` (not owned) follow the plug-in's pages.
    XrdPreferenceDialog(QAStViewerPlugin* plugin, QWidget* parent = nullptr,
                        const QList<PreferenceItem*>& hostPages = {});
    ~XrdPreferenceDialog() override;

    QList<PreferenceItem*> pages() const { return m_pages; }
    PreferenceItem* currentPage() const;
    void setCurrentPage(int index);

    // Completes the dialog with `result` when no button did it yet, as
    // pressing OK or Cancel would (a modal run may end without either).
    void finish(int result);

public Q_SLOTS:
    void accept() override;
    void reject() override;
    void restoreDefaults();

private:
    QList<PreferenceItem*> m_pages; // owned by the plug-in
    QTreeWidget* m_list;
    QStackedWidget* m_stack;
    bool m_finished = false;
};
