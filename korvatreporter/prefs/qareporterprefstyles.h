#pragma once

#include "rendoc/styleres/dstyleview.h"
#include "sdk/preferenceitem.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class DStyle;

// The "Styles" preference page and the report styles it holds. The styles
// come from the default style file (an AML document defining them) and may
// be updated from stored resources.
//
// The page owns its styles. Documents built by the XRD reader point at
// them, so the style objects stay put: apply() writes the user's edits into
// them. Defaults on the shown page only proposes the file's styles; apply()
// then resets each style the file still defines in place, so that open
// reports show the change at their next re-render, and cancel() drops the
// proposal. A style the file no longer defines is not freed but retired, and
// lives as long as the page (the whole process): no document is ever left
// pointing at freed memory.
class QAReporterPrefStyles : public PreferenceItem
{
    Q_OBJECT
public:
    // Loads `styleFile` at once; the translation map is filled only when
    // that file exists.
    QAReporterPrefStyles(const QString &title, const QString &tag, const QString &helpText,
                         const QString &styleFile, QObject *parent = nullptr);
    ~QAReporterPrefStyles() override;

    // The current styles, in style file order; owned by the page.
    const QList<DStyle *> &styles() const { return m_styles; }
    // Names of the styles the style file defines, in file order; empty when
    // the file is missing or does not parse.
    QStringList styleNames() const { return m_styleNames; }
    // Style name to displayed (translated) name, for the known style names.
    QMap<QString, QString> translation() const { return m_translation; }
    QString styleFile() const { return m_styleFile; }
    // The first style of that name, or null.
    DStyle *style(const QString &name) const;

    // The style names a report uses, in the order the translation map
    // receives them.
    static QStringList knownStyleNames();

    QWidget *createWidget(QWidget *parent) override;
    void updateContents() override;
    void apply() override;
    void cancel() override;
    // Reloads the styles and their names from the style file: at once when
    // the page is not shown, else as a proposal the page shows at the next
    // updateContents() and apply() makes current.
    void defaults() override;

    // The page's editor while its widget exists, else null.
    DStyleView *styleView() const { return m_view; }

private:
    void fillTranslation();
    QList<DStyle *> readStyleFile(QStringList *names) const;
    // Makes `fresh` (taken over) the current styles, reusing objects by name.
    void adopt(const QList<DStyle *> &fresh, const QStringList &names);
    void dropPending();

    QList<DStyle *> m_styles;                      // owned, see above
    std::vector<std::unique_ptr<DStyle>> m_retired; // styles the file no longer defines
    QPointer<DStyleView> m_view;
    QMap<QString, QString> m_translation;
    QStringList m_styleNames;
    QString m_styleFile;
    // Defaults proposed on the shown page, not applied yet.
    std::vector<std::unique_ptr<DStyle>> m_pending;
    QStringList m_pendingNames;
    bool m_hasPending = false;
};
