#include "xrdview/gui/xrdpreferencedialog.h"

#include "sdk/preferenceitem.h"
#include "sdk/qastviewerplugin.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>
#include <vector>

XrdPreferenceDialog::XrdPreferenceDialog(QAStViewerPlugin* plugin, QWidget* parent,
                                         const QList<PreferenceItem*>& hostPages)
    : QDialog(parent), m_list(new QTreeWidget), m_stack(new QStackedWidget)
{
    setWindowTitle(tr("Preferences"));
    m_list->setHeaderHidden(true);
    m_list->setColumnCount(1);

    // Walk the page tree (child = first page beneath, next = following
    // sibling) with an explicit stack, building each page's widget.
    std::vector<std::pair<PreferenceItem*, QTreeWidgetItem*>> pending;
    for (auto it = hostPages.crbegin(); it != hostPages.crend(); ++it)
        pending.emplace_back(*it, nullptr);
    if (plugin && plugin->preferenceSettings())
        pending.emplace_back(plugin->preferenceSettings(), nullptr);
    while (!pending.empty()) {
        auto [page, parentItem] = pending.back();
        pending.pop_back();
        if (m_pages.contains(page))
            continue; // a page tree must not loop; stop if one does
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_list);
        item->setText(0, page->title());
        item->setData(0, Qt::UserRole, int(m_pages.size()));
        m_pages << page;
        QWidget* widget = page->createWidget(m_stack);
        m_stack->addWidget(widget ? widget : new QWidget(m_stack));
        page->updateContents();
        if (PreferenceItem* next = page->next())
            pending.emplace_back(next, parentItem);
        if (PreferenceItem* child = page->child())
            pending.emplace_back(child, item);
    }
    m_list->expandAll();
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            m_stack->setCurrentIndex(item->data(0, Qt::UserRole).toInt());
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
        m_list->setCurrentItem(m_list->topLevelItem(0));
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
    for (QTreeWidgetItemIterator it(m_list); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toInt() == index) {
            m_list->setCurrentItem(*it);
            return;
        }
    }
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
