#include "xrdview/gui/xrdpreferencedialog.h"

#include "sdk/preferenceitem.h"
#include "sdk/qastviewerplugin.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>
#include <vector>

XrdPreferenceDialog::XrdPreferenceDialog(QAStViewerPlugin* plugin, QWidget* parent,
                                         const QList<PreferenceItem*>& hostPages)
    : QDialog(parent), m_model(new QStandardItemModel(this)), m_list(new QTreeView),
      m_stack(new QStackedWidget)
{
    setWindowTitle(tr("Preferences"));
    m_list->setHeaderHidden(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // Walk the page tree (child = first page beneath, next = following
    // sibling) with an explicit stack, building each page's widget.
    std::vector<std::pair<PreferenceItem*, QStandardItem*>> pending;
    for (auto it = hostPages.crbegin(); it != hostPages.crend(); ++it)
        pending.emplace_back(*it, nullptr);
    if (plugin && plugin->preferenceSettings())
        pending.emplace_back(plugin->preferenceSettings(), nullptr);
    while (!pending.empty()) {
        auto [page, parentItem] = pending.back();
        pending.pop_back();
        if (m_pages.contains(page))
            continue; // a page tree must not loop; stop if one does
        auto* item = new QStandardItem(page->title());
        item->setData(int(m_pages.size()), Qt::UserRole);
        (parentItem ? parentItem : m_model->invisibleRootItem())->appendRow(item);
        m_pages << page;
        QWidget* widget = page->createWidget(m_stack);
        m_stack->addWidget(widget ? widget : new QWidget(m_stack));
        page->updateContents();
        if (PreferenceItem* next = page->next())
            pending.emplace_back(next, parentItem);
        if (PreferenceItem* child = page->child())
            pending.emplace_back(child, item);
    }
    m_list->setModel(m_model);
    m_list->expandAll();
    // Page names are short but translated ones are longer: the list is as
    // wide as its widest name at its depth, never cutting one.
    m_list->setMinimumWidth(static_cast<QAbstractItemView*>(m_list)->sizeHintForColumn(0) + 2 * m_list->frameWidth()
                            + m_list->verticalScrollBar()->sizeHint().width());
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_stack->setCurrentIndex(current.data(Qt::UserRole).toInt());
            });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                         | QDialogButtonBox::RestoreDefaults);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(tr("&Defaults"));
    connect(buttons, &QDialogButtonBox::accepted, this, &XrdPreferenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &XrdPreferenceDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &XrdPreferenceDialog::restoreDefaults);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_list);
    splitter->addWidget(m_stack);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addWidget(buttons);

    if (plugin) {
        plugin->connectAccepted(this, SIGNAL(accepted()));
        plugin->connectRejected(this, SIGNAL(rejected()));
    }
    if (!m_pages.isEmpty())
        m_list->setCurrentIndex(m_model->index(0, 0));
    resize(640, 420);
}

XrdPreferenceDialog::~XrdPreferenceDialog() = default;

PreferenceItem* XrdPreferenceDialog::currentPage() const
{
    const int index = m_stack->currentIndex();
    return index >= 0 && index < m_pages.size() ? m_pages.at(index) : nullptr;
}

void XrdPreferenceDialog::setCurrentPage(int index)
{
    const QModelIndexList found = m_model->match(m_model->index(0, 0), Qt::UserRole, index, 1,
                                                 Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty())
        m_list->setCurrentIndex(found.first());
}

void XrdPreferenceDialog::finish(int result)
{
    if (m_finished)
        return;
    if (result == QDialog::Accepted)
        accept();
    else
        reject();
}

void XrdPreferenceDialog::accept()
{
    if (m_finished)
        return;
    m_finished = true;
    // The pages take over the edits before the plug-in hears of the OK.
    for (PreferenceItem* page : std::as_const(m_pages))
        page->apply();
    QDialog::accept();
}

void XrdPreferenceDialog::reject()
{
    if (m_finished)
        return;
    m_finished = true;
    for (PreferenceItem* page : std::as_const(m_pages))
        page->cancel();
    QDialog::reject();
}

void XrdPreferenceDialog::restoreDefaults()
{
    if (PreferenceItem* page = currentPage()) {
        page->defaults();
        page->updateContents();
    }
}
