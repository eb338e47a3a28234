// The report window's copy commands on tree rows: Ctrl+C in the tree copies
// the row's path; the context menu copies its name, path, failure message
// or a Markdown snippet.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/window/qarnodetext.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>

void QAReporter::addCopyCommands()
{
    const std::pair<const char *, int> items[] = {
        {QT_TR_NOOP("Copy &Name"), QARNodeText::Name},
        {QT_TR_NOOP("Copy &Path"), QARNodeText::Path},
        {QT_TR_NOOP("Copy Failure &Message"), QARNodeText::FailureMessage},
        {QT_TR_NOOP("Copy as Mar&kdown"), QARNodeText::Markdown},
    };
    m_contextMenu->insertSeparator();
    for (const auto &[label, kind] : items)
        m_copyItems.insert(m_contextMenu->insertItem(tr(label)), kind);
    connect(m_contextMenu, &QARMenu::activated, this, [this](int id) {
        const auto it = m_copyItems.constFind(id);
        if (it != m_copyItems.cend() && m_contextMenu)
            copyTreeRow(m_contextMenu->item(), it.value());
    });
    // In the tree, the standard copy key copies the current row's path.
    auto *key = new QShortcut(QKeySequence::Copy, m_treeView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(key, &QShortcut::activated, this,
            [this] { copyTreeRow(m_treeView->currentRow(), QARNodeText::Path); });
}

bool QAReporter::copyTreeRow(const QModelIndex &row, int kind)
{
    if (!m_treeModel)
        return false;
    const QString text = QARNodeText::text(*m_treeModel, row, QARNodeText::Kind(kind));
    if (text.isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}
