#pragma once

#include <QKeySequence>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

class QMainWindow;
class QToolButton;

// The report tool bar: previous failed test, next failed test and the
// all/failed filter switch. It is docked at the top of its main window and
// its buttons stay disabled until a report window is wired to it.
class QARToolBar : public QToolBar
{
    Q_OBJECT
public:
    QARToolBar(const QString &label, QMainWindow *mainWindow);
    ~QARToolBar() override;

    void enableButtons(bool enable);
    // Shows the failed-tests image and the button down when `failed`, the
    // complete-tests image and the button up otherwise.
    void setFilterState(bool failed);

    QToolButton *previousButton() const { return m_previous; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *filterButton() const { return m_filter; }

private Q_SLOTS:
    void KOsClicked();
    void KOpClicked();
    // Reports the click first, then flips the process-wide failed-only
    // switch and shows its new state.
    void filtreClicked();
    void reloadClicked();

Q_SIGNALS:
    void KOsuivClicked();
    void KOprecClicked();
    void fltClicked();
    void refreshClicked();

private:
    QToolButton *addButton(const QPixmap &icon, const QString &text, const char *objectName,
                           const QString &help, const QKeySequence &key);

    QPointer<QToolButton> m_previous;
    QPointer<QToolButton> m_next;
    QPointer<QToolButton> m_filter;
};
